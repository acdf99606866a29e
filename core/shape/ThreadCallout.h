#pragma once
// The text a drawing view gets as a pin's callout when the site writes one
// (CalloutFormat): its standard's name and sizes put into the site's template.

#include <string>

#include "core/env/Module.h"

namespace zelva::shape {

// The default template for a pin of no standard: M10×0.5 for a 10 / 0.5 pin.
constexpr const char* kDefaultCustomCallout = "M{D}×{P}";

// The callout of a pin of `diameter`, `pitch` and `length` (millimetres); empty
// while the site writes none. Tokens: {name} the standard's name as its table
// writes it, {D}, {P}, {L}, {TPI} (threads per inch), numbers written shortest.
std::string templateCallout(env::Module& m, double diameter, double pitch, double length);

}  // namespace zelva::shape
