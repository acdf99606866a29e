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
    expectArgCount(args, member->arity);
    return member->handler(*this, args);
}

}  // namespace zelva::shape
