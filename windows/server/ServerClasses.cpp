// The class-object entry points: a class object for each of the two classes,
// and whether the DLL may unload.

#include "ServerClasses.h"

#include "Zelvacorin.h"
#include "Apartment.h"
#include "ClassFactory.h"
#include "DropHookObject.h"
#include "PShapeObject.h"
#include "ServerModule.h"
#include "core/shape/ClassIds.h"
#include "TypeInfos.h"

namespace zelva::server {

std::span<const ServerClass> serverClasses() {
    static constinit const ServerClass classes[] = {
        {CLSID_DropHook, shape::kDropHookProgId, &classFactory<createDropHook>.IClassFactory_iface},
        {CLSID_PShape, shape::kPShapeProgId, &classFactory<createPShape>.IClassFactory_iface},
    };
    return classes;
}

}  // namespace zelva::server

using namespace zelva::server;

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (const ServerClass& serverClass : serverClasses())
        if (clsid == serverClass.clsid) return IClassFactory_QueryInterface(serverClass.factory, iid, out);
    return CLASS_E_CLASSNOTAVAILABLE;
}

// With no object and no lock left, the asking thread's module state goes, as
// it would with the unloaded DLL; another thread's keeps the DLL loaded.
extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    if (moduleInUse()) return S_FALSE;
    releaseCurrentApartment();
    if (moduleInUse() || liveApartments() != 0) return S_FALSE;
    releaseTypeInfos();
    return S_OK;
}
