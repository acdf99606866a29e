#include "standin/sim/ShapeGeometry.h"

#include <algorithm>
#include <cmath>

#include "core/automation/Error.h"
#include "core/host/VariableNumbers.h"

namespace zelva::sim {

namespace {

namespace size_box = host::vars::size_box;
namespace placement = host::vars::placement;

Quaternion unitOrIdentity(Quaternion q) {
    const double n = std::sqrt(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z);
    if (n == 0) return {};
    return {q.w / n, q.x / n, q.y / n, q.z / n};
}

}  // namespace

double numericVariable(const doc::Component& component, int32_t number) {
    const Variant* v = component.variable({std::nullopt, number});
    return v ? toDouble(*v) : 0;
}

std::vector<doc::Ellipse> profileCircles(const doc::Shape& shape) {
    std::vector<doc::Ellipse> circles;
    const doc::Component* owner = shape.components.first(doc::type::ProfileOwner);
    if (!owner || !owner->profile) return circles;
    const auto& sets = owner->profile->components.byType;
    const auto it = sets.find(doc::type::CurveSets);
    if (it == sets.end()) return circles;
    for (const auto& set : it->second)
        if (set->curves) circles.insert(circles.end(), set->curves->ellipses.begin(), set->curves->ellipses.end());
    return circles;
}

Placement placementOf(const doc::Shape& shape) {
    const doc::Component* c = shape.components.first(doc::type::Placement);
    if (!c) return {};
    // The stand-in's four rotation values are a quaternion (w, x, y, z).
    return {{numericVariable(*c, placement::X), numericVariable(*c, placement::Y), numericVariable(*c, placement::Z)},
            unitOrIdentity({numericVariable(*c, placement::Rotation1), numericVariable(*c, placement::Rotation2),
                            numericVariable(*c, placement::Rotation3), numericVariable(*c, placement::Rotation4)})};
}

Vec3 worldAxis(const doc::Shape& shape) { return rotate(placementOf(shape).rotation, {0, 0, 1}); }

double extrusionLength(const doc::Shape& shape) {
    const doc::Component* box = shape.components.first(doc::type::SizeBox);
    return box ? numericVariable(*box, size_box::Length) : 0;
}

void fitSizeBox(doc::Shape& shape) {
    doc::Component* box = shape.components.first(doc::type::SizeBox);
    if (!box) throw Error::runtime(err::InvalidCall, "The shape has no size box");
    double halfWidth = 0, halfDepth = 0;
    for (const auto& e : profileCircles(shape)) {
        halfWidth = std::max(halfWidth, std::abs(e.cx) + std::abs(e.r));
        halfDepth = std::max(halfDepth, std::abs(e.cy) + std::abs(e.r));
    }
    const double length = extrusionLength(shape);
    box->variables[{std::nullopt, size_box::Width}] = Variant::r8(2 * halfWidth);
    box->variables[{std::nullopt, size_box::Depth}] = Variant::r8(2 * halfDepth);
    box->variables[{std::nullopt, size_box::Length}] = Variant::r8(length);
}

}  // namespace zelva::sim
