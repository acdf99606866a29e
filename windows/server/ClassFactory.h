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

// The class object of the class `Create` makes: constant data, in place when
// the DLL loads, so that the first creation runs no initialisation of its own.
template <CreateFunction Create>
constinit inline ClassFactory classFactory{{&classfactory_vtbl}, Create};

}  // namespace zelva::server
