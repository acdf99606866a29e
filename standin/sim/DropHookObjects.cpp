#include "standin/sim/DropHookObjects.h"

#include <optional>

#include "core/automation/Error.h"
#include "core/host/HostCodes.h"
#include "standin/sim/Arguments.h"
#include "standin/sim/DocumentObjects.h"

namespace zelva::sim {

namespace {

int16_t geometryType(doc::HitKind kind) {
    switch (kind) {
        case doc::HitKind::CircularEdge: return host::geometry::Circle;
        case doc::HitKind::LineEdge: return host::geometry::Line;
        case doc::HitKind::Face: return host::geometry::Face;
    }
    return host::geometry::Face;
}

// The coordinate a member such as "PointY" names: the stem, then X, Y or Z.
std::optional<double> coordinateMember(std::string_view name, std::string_view stem, const Vec3& v) {
    if (name.size() != stem.size() + 1 || !sameName(name.substr(0, stem.size()), stem)) return std::nullopt;
    switch (name.back()) {
        case 'X':
        case 'x': return v.x;
        case 'Y':
        case 'y': return v.y;
        case 'Z':
        case 'z': return v.z;
        default: return std::nullopt;
    }
}

}  // namespace

Variant DropHookObject::dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) {
    if (sameName(name, "Page")) {
        expectCall(kind, args, 0);
        return objectOf<PageObject>(hostHandle());
    }
    if (sameName(name, "ShapePath")) {
        expectCall(kind, args, 0);
        return objectOf<ShapePathObject>(hostHandle(), site_);
    }
    if (sameName(name, "HitElementType")) {
        expectCall(kind, args, 0);
        return Variant::i2(site_->kind == doc::HitKind::Face ? host::hit::Face : host::hit::Edge);
    }
    if (sameName(name, "HitElement")) {
        expectCall(kind, args, 0);
        return objectOf<HitElementObject>(hostHandle(), site_);
    }
    if (const auto coordinate = coordinateMember(name, "HitNormal", site_->normal)) {
        expectCall(kind, args, 1);
        if (i4Arg(args, 0) != site_->depth)  // the value of ShapePath.Count, as it came
            throw Error::runtime(err::InvalidCall, "The normal is known at the hit shape's depth only");
        return Variant::r8(*coordinate);
    }
    noSuchMember();
}

Variant ShapePathObject::dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) {
    if (sameName(name, "Count")) {
        expectCall(kind, args, 0);
        return Variant::i4(site_->depth);
    }
    if (sameName(name, "Item")) {
        expectCall(kind, args, 1);
        const int32_t i = i2Arg(args, 0);
        if (i < 1 || i > site_->depth) throw Error::runtime(err::SubscriptOutOfRange);
        return objectOf<PartObject>(hostHandle(), site_->part);
    }
    noSuchMember();
}

Variant HitElementObject::dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) {
    if (sameName(name, "GeometryType")) {
        expectCall(kind, args, 0);
        return Variant::i2(geometryType(site_->kind));
    }
    if (const auto coordinate = coordinateMember(name, "Point", site_->point)) {
        expectCall(kind, args, 0);
        return Variant::r8(*coordinate);
    }
    if (sameName(name, "MajorRadius") && site_->kind == doc::HitKind::CircularEdge) {
        expectCall(kind, args, 0);
        return Variant::r8(site_->radius);
    }
    if (sameName(name, "part")) {
        expectCall(kind, args, 1);
        boolArg(args, 0);
        return objectOf<PartObject>(hostHandle(), site_->part);
    }
    noSuchMember();
}

}  // namespace zelva::sim
