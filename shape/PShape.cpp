#include "shape/PShape.h"

#include "automation/Error.h"
#include "automation/NumberRules.h"
#include "shape/PShapeMembers.h"
#include "shape/ProjectionFlags.h"

namespace zelva::shape {

PShape::PShape(env::Module& module) : module_(module) {}

void PShape::setSmusso(double v) { smusso_ = roundToInt16(v); }

int32_t PShape::ProjectionFlags() const { return GetProjectionFlags(flags_); }

Variant PShape::invoke(std::string_view name, CallKind kind, std::span<const Arg> args) {
    const PShapeMember* member = findPShapeMember(name, kind);
    if (!member) throw Error::runtime(err::MemberNotSupported);
    return invokeMember(*member, args);
}

Variant PShape::invokeMember(const PShapeMember& row, std::span<const Arg> args) {
    expectArgCount(args, row.arity);
    return row.handler(*this, args);
}

}  // namespace zelva::shape
