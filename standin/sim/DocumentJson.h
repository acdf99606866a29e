#pragma once
// The document as JSON, for tests and for looking at what a run built:
// {"parts":[{"name", "shapes":[{"name", "kind", "components":[{"type",
// "variables":[{"n"|"kind"+"index", "type", "value"}], "profile"?, "texture"?}]}]}]}.
// Components in type order, then item order; variables in number order;
// every value with the type it was written with.

#include <nlohmann/json.hpp>
#include <ostream>

#include "standin/sim/Document.h"

namespace zelva::sim {

class SimHost;

nlohmann::json documentJson(const SimHost& host);
nlohmann::json documentJson(const doc::Document& document);
// One shape as it appears in the document's "shapes".
nlohmann::json shapeJson(const doc::Shape& shape);
// Writes the text of documentJson(document).dump(2), one shape at a time, so a
// large document's JSON is never held whole.
void writeDocumentJson(std::ostream& out, const doc::Document& document);

// {"type":"R8","value":0.75}; an Empty value is null.
nlohmann::json typedValueJson(const Variant& v);

}  // namespace zelva::sim
