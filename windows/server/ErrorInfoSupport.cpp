#include "ErrorInfoSupport.h"

namespace zelva::server {

namespace {

ErrorInfoSupport* impl_from_ISupportErrorInfo(ISupportErrorInfo* iface) {
    return CONTAINING_RECORD(iface, ErrorInfoSupport, ISupportErrorInfo_iface);
}

HRESULT STDMETHODCALLTYPE errorinfo_QueryInterface(ISupportErrorInfo* iface, REFIID iid, void** out) {
    IUnknown* owner = impl_from_ISupportErrorInfo(iface)->owner;
    return IUnknown_QueryInterface(owner, iid, out);
}

ULONG STDMETHODCALLTYPE errorinfo_AddRef(ISupportErrorInfo* iface) {
    return IUnknown_AddRef(impl_from_ISupportErrorInfo(iface)->owner);
}

ULONG STDMETHODCALLTYPE errorinfo_Release(ISupportErrorInfo* iface) {
    return IUnknown_Release(impl_from_ISupportErrorInfo(iface)->owner);
}

HRESULT STDMETHODCALLTYPE errorinfo_InterfaceSupportsErrorInfo(ISupportErrorInfo* iface, REFIID iid) {
    const ErrorInfoSupport* This = impl_from_ISupportErrorInfo(iface);
    for (const IID* supported : This->interfaces)
        if (*supported == iid) return S_OK;
    return S_FALSE;
}

const ISupportErrorInfoVtbl errorinfo_vtbl = {
    errorinfo_QueryInterface,
    errorinfo_AddRef,
    errorinfo_Release,
    errorinfo_InterfaceSupportsErrorInfo,
};

}  // namespace

ErrorInfoSupport::ErrorInfoSupport(IUnknown* owner_, std::initializer_list<const IID*> supported)
    : ISupportErrorInfo_iface{&errorinfo_vtbl}, owner(owner_), interfaces(supported) {}

}  // namespace zelva::server
