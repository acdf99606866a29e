#pragma once
// The drawing sheet pinhost writes after a round of work: an A4 landscape
// sheet with one side view per pin, its thread drawn the cosmetic way (major
// diameter thick, minor diameter thin) and dimensioned in millimetres.

#include <ostream>
#include <string>
#include <vector>

#include "standin/pinhost/PinProjection.h"

namespace zelva::pinhost::pictures {

void writeDrawingSvg(std::ostream& out, const std::vector<PinProjection>& pins);
std::string drawingSvg(const std::vector<PinProjection>& pins);  // the same as text

}  // namespace zelva::pinhost::pictures
