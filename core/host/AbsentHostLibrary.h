#pragma once
// A host library that offers none of the host's classes: creating any of them
// raises the host's error for an object that is not there (91). A program that
// needs only some classes overrides those.

#include "core/automation/Error.h"
#include "core/host/HostLibrary.h"

namespace zelva::host {

class AbsentHostLibrary : public HostLibrary {
public:
    Ref<HostVector> createVector() override { absent(); }
    Ref<HostPlacement> createPlacement() override { absent(); }
    Ref<HostTransform> createTransform() override { absent(); }
    Ref<HostClassRegistry> createClassRegistry() override { absent(); }
    Ref<UnitConverter> createUnitConverter() override { absent(); }
    Ref<HostRegistry> createRegistry() override { absent(); }
    Ref<HostSettingsStore> createSettingsStore() override { absent(); }

protected:
    [[noreturn]] static void absent() { throw Error::runtime(err::ObjectNotSet, "not offered by this host"); }
};

}  // namespace zelva::host
