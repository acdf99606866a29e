#include "standin/sim/ShapeObject.h"

#include "core/automation/Error.h"
#include "standin/sim/Arguments.h"
#include "standin/sim/DocumentCollections.h"
#include "standin/sim/DocumentObjects.h"
#include "standin/sim/ShapeGeometry.h"

namespace zelva::sim {

namespace {

// Writes the normal into three by-reference doubles, all or none.
void setNormalOutputs(std::span<const Arg> args, const Vec3& n) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (!args[i].ref) throw Error::runtime(err::InvalidCall, "Argument not passed by reference");
        r8Arg(args, i);
    }
    args[0].set(Variant::r8(n.x));
    args[1].set(Variant::r8(n.y));
    args[2].set(Variant::r8(n.z));
}

}  // namespace

Variant ShapeObject::dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) {
    if (sameName(name, "Name")) {
        if (kind == CallKind::Put) {
            expectArgCount(args, 1);
            shape_->name = strArg(args, 0);
            return {};
        }
        expectCall(kind, args, 0);
        return Variant::str(shape_->name);
    }
    if (sameName(name, "Components")) {
        expectCall(kind, args, 1);
        return componentsOf(hostHandle(), {shape_, &shape_->components}, i4Arg(args, 0));
    }
    if (sameName(name, "Type")) {
        expectCall(kind, args, 0);
        return Variant::i4(shape_->kind);
    }
    if (sameName(name, "Update")) {
        expectCall(kind, args, 0);
        ++shape_->updates;
        return {};
    }
    if (sameName(name, "ResetSizeBox")) {
        expectCall(kind, args, 0);
        fitSizeBox(*shape_);
        return {};
    }
    if (sameName(name, "GetNormal")) {
        expectCall(kind, args, 3);
        setNormalOutputs(args, worldAxis(*shape_));
        return {};
    }
    if (sameName(name, "Application")) {
        expectCall(kind, args, 0);
        return objectOf<ApplicationObject>(hostHandle());
    }
    noSuchMember();
}

}  // namespace zelva::sim
