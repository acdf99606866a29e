#pragma once
// The model picture pinhost writes after a round of work: the document in an
// isometric view, each part a shaded plate around the places a drop can hit,
// each pin a shaded cylinder whose thread shows as helical stripes.

#include <ostream>
#include <string>

#include "standin/sim/Document.h"

namespace zelva::pinhost::pictures {

void writeModelSvg(std::ostream& out, const sim::doc::Document& doc);
std::string modelSvg(const sim::doc::Document& doc);  // the same as text

}  // namespace zelva::pinhost::pictures
