#include "ClassFactory.h"

#include "ServerModule.h"

namespace zelva::server {

namespace {

ClassFactory* impl_from_IClassFactory(IClassFactory* iface) {
    return CONTAINING_RECORD(iface, ClassFactory, IClassFactory_iface);
}

HRESULT STDMETHODCALLTYPE classfactory_QueryInterface(IClassFactory* iface, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    *out = iface;
    IClassFactory_AddRef(iface);
    return S_OK;
}

ULONG STDMETHODCALLTYPE classfactory_AddRef(IClassFactory*) {
    lockServer(true);
    return 2;
}

ULONG STDMETHODCALLTYPE classfactory_Release(IClassFactory*) {
    lockServer(false);
    return 1;
}

HRESULT STDMETHODCALLTYPE classfactory_CreateInstance(IClassFactory* iface, IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return impl_from_IClassFactory(iface)->create(iid, out);
}

HRESULT STDMETHODCALLTYPE classfactory_LockServer(IClassFactory*, BOOL lock) {
    lockServer(lock != FALSE);
    return S_OK;
}

}  // namespace

const IClassFactoryVtbl classfactory_vtbl = {
    classfactory_QueryInterface,
    classfactory_AddRef,
    classfactory_Release,
    classfactory_CreateInstance,
    classfactory_LockServer,
};

}  // namespace zelva::server
