#pragma once
// The class object of a server class: creates a new object per request and
// refuses aggregation. Class objects are static; each reference a client holds
// counts as a server lock, so the DLL stays loaded while one is held.

#include <windows.h>
#include <unknwn.h>

namespace zelva::server {

using CreateFunction = HRESULT (*)(REFIID iid, void** out);

struct ClassFactory {
    IClassFactory IClassFactory_iface;
    CreateFunction create;
};

extern const IClassFactoryVtbl classfactory_vtbl;

template <CreateFunction Create>
IClassFactory* classFactory() {
    static ClassFactory factory{{&classfactory_vtbl}, Create};
    return &factory.IClassFactory_iface;
}

}  // namespace zelva::server
