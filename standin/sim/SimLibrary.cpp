#include "standin/sim/SimLibrary.h"

#include "standin/sim/GeometryClasses.h"
#include "standin/sim/ServiceClasses.h"

namespace zelva::sim {

template <class Interface, class Implementation>
Ref<Interface> SimLibrary::create(const char* member) {
    return runJournalled(*host_, "HostLibrary", member, CallKind::Method, {},
                         [&] { return Ref<Interface>(makeRef<Implementation>(host_)); });
}

Ref<host::HostVector> SimLibrary::createVector() { return create<host::HostVector, SimVector>("createVector"); }

Ref<host::HostPlacement> SimLibrary::createPlacement() {
    return create<host::HostPlacement, SimPlacement>("createPlacement");
}

Ref<host::HostTransform> SimLibrary::createTransform() {
    return create<host::HostTransform, SimTransform>("createTransform");
}

Ref<host::HostClassRegistry> SimLibrary::createClassRegistry() {
    return create<host::HostClassRegistry, SimClassRegistry>("createClassRegistry");
}

Ref<host::UnitConverter> SimLibrary::createUnitConverter() {
    return create<host::UnitConverter, SimUnitConverter>("createUnitConverter");
}

Ref<host::HostRegistry> SimLibrary::createRegistry() {
    return create<host::HostRegistry, SimRegistry>("createRegistry");
}

Ref<host::HostSettingsStore> SimLibrary::createSettingsStore() {
    return create<host::HostSettingsStore, SimSettingsStore>("createSettingsStore");
}

}  // namespace zelva::sim
