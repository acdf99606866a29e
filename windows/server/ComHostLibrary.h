#pragma once
// The host's library on Windows: its registered classes, created from their
// class objects (held per apartment) and called through the vtable slot each role has in the
// host's interface. A failed creation is error 429; a failed call raises the
// host's HRESULT with the description it left.

#include "HostClassObjects.h"
#include "core/host/HostLibrary.h"

namespace zelva::server {

class ComHostLibrary final : public host::HostLibrary {
public:
    Ref<host::HostVector> createVector() override;
    Ref<host::HostPlacement> createPlacement() override;
    Ref<host::HostTransform> createTransform() override;
    Ref<host::HostClassRegistry> createClassRegistry() override;
    Ref<host::UnitConverter> createUnitConverter() override;
    Ref<host::HostRegistry> createRegistry() override;
    Ref<host::HostSettingsStore> createSettingsStore() override;

    // Lets go of the class objects held, while COM still runs on the thread.
    void releaseClassObjects() { classObjects_.release(); }

private:
    ClassObjects classObjects_;
};

}  // namespace zelva::server
