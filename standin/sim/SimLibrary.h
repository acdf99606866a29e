#pragma once
// Creates the stand-in host library's objects. Each creation is journalled
// as "HostLibrary.createVector" and so on, and may be made to fail.

#include <memory>

#include "core/host/HostLibrary.h"
#include "standin/sim/HostState.h"

namespace zelva::sim {

class SimLibrary : public host::HostLibrary {
public:
    explicit SimLibrary(std::shared_ptr<HostState> host) : host_(std::move(host)) {}

    Ref<host::HostVector> createVector() override;
    Ref<host::HostPlacement> createPlacement() override;
    Ref<host::HostTransform> createTransform() override;
    Ref<host::HostClassRegistry> createClassRegistry() override;
    Ref<host::UnitConverter> createUnitConverter() override;
    Ref<host::HostRegistry> createRegistry() override;
    Ref<host::HostSettingsStore> createSettingsStore() override;

private:
    template <class Interface, class Implementation>
    Ref<Interface> create(const char* member);

    std::shared_ptr<HostState> host_;
};

}  // namespace zelva::sim
