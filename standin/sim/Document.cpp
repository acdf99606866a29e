#include "standin/sim/Document.h"

#include <utility>

namespace zelva::sim::doc {

const Component* ComponentTable::first(int32_t t) const {
    const auto it = byType.find(t);
    return it == byType.end() || it->second.empty() ? nullptr : it->second.front().get();
}

Component* ComponentTable::first(int32_t t) { return const_cast<Component*>(std::as_const(*this).first(t)); }

const Variant* Component::variable(VariableKey key) const {
    const auto it = variables.find(key);
    return it == variables.end() ? nullptr : &it->second;
}

const ShapeList& Part::shapes() const {
    static const ShapeList none;
    const Component* body = components.first(type::PartShapes);
    return body ? body->shapes : none;
}

std::shared_ptr<Component> makeComponent(int32_t t) {
    auto c = std::make_shared<Component>(t);
    if (t == type::ProfileOwner) c->profile = std::make_unique<Profile>();
    if (t == type::CurveSets) c->curves = std::make_unique<CurveSet>();
    return c;
}

std::shared_ptr<Shape> makeExtrudedShape() {
    auto s = std::make_shared<Shape>();
    for (int32_t t : {type::SizeBox, type::Placement, type::PlacementCleared, type::Body, type::ProfileOwner})
        s->components.of(t).push_back(makeComponent(t));
    return s;
}

std::shared_ptr<Part> makePart(std::string name) {
    auto p = std::make_shared<Part>();
    p->name = std::move(name);
    p->components.of(type::PartShapes).push_back(makeComponent(type::PartShapes));
    return p;
}

}  // namespace zelva::sim::doc
