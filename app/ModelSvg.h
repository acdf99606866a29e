#pragma once
// The model picture pinhost writes after a round of work: the document in an
// isometric view, each part a shaded plate around the places a drop can hit,
// each pin a shaded cylinder whose thread shows as helical stripes.

#include <string>

#include "sim/Document.h"

namespace zelva::app {

std::string modelSvg(const sim::doc::Document& doc);

}  // namespace zelva::app
