#include "standin/sim/DocumentObjects.h"

#include "core/automation/Error.h"
#include "core/host/HostCodes.h"
#include "standin/sim/Arguments.h"
#include "standin/sim/DocumentCollections.h"

namespace zelva::sim {

namespace {
constexpr int32_t kPartType = 1;
}  // namespace

Variant ApplicationObject::dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) {
    if (sameName(name, "ActivePage")) {
        expectCall(kind, args, 0);
        return objectOf<PageObject>(hostHandle());
    }
    if (sameName(name, "DialogPrecision")) {
        expectCall(kind, args, 0);
        return Variant::i2(host().document.dialogPrecision);
    }
    noSuchMember();
}

Variant PageObject::dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) {
    if (sameName(name, "UnitsEx")) {
        expectCall(kind, args, 1);
        // Only the length units are modelled.
        if (i4Arg(args, 0) != host::units::LengthKind) throw Error::runtime(err::InvalidCall);
        return Variant::i4(host().document.lengthUnits);
    }
    if (sameName(name, "Application")) {
        expectCall(kind, args, 0);
        return objectOf<ApplicationObject>(hostHandle());
    }
    if (sameName(name, "Update")) {
        expectCall(kind, args, 0);
        ++host().document.pageUpdates;
        return {};
    }
    noSuchMember();
}

Variant PartObject::dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) {
    if (sameName(name, "Components")) {
        expectCall(kind, args, 1);
        return componentsOf(hostHandle(), {part_, &part_->components}, i4Arg(args, 0));
    }
    if (sameName(name, "Type")) {
        expectCall(kind, args, 0);
        return Variant::i4(kPartType);
    }
    if (sameName(name, "Name")) {
        expectCall(kind, args, 0);
        return Variant::str(part_->name);
    }
    if (sameName(name, "Application")) {
        expectCall(kind, args, 0);
        return objectOf<ApplicationObject>(hostHandle());
    }
    noSuchMember();
}

}  // namespace zelva::sim
