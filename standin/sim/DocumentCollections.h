#pragma once
// The collections that the document's objects hand out. A shape, part or
// profile hands out its components, a part component its shapes, and each
// collection hands out those objects again: the objects reach their
// collections only through these two, made in CollectionObjects.cpp.

#include <cstdint>
#include <memory>

#include "core/automation/Object.h"
#include "standin/sim/Document.h"
#include "standin/sim/HostState.h"

namespace zelva::sim {

// `owner.Components(type)` for the component table of a shape, part or profile.
Variant componentsOf(std::shared_ptr<HostState> host, std::shared_ptr<doc::ComponentTable> table, int32_t type);
// `component.Shapes(kind)` for a part component's extruded shapes.
Variant shapesOf(std::shared_ptr<HostState> host, std::shared_ptr<doc::ShapeList> shapes);

}  // namespace zelva::sim
