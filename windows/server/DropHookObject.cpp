#include "DropHookObject.h"

#include "Zelvacorin.h"
#include "CoreCall.h"
#include "CoreObject.h"
#include "DualDispatch.h"
#include "ErrorInfoSupport.h"
#include "core/shape/DropHook.h"

namespace zelva::server {

namespace {

extern const _DropHookVtbl drophook_vtbl;

struct DropHookObject {
    DropHookObject() : _DropHook_iface{&drophook_vtbl}, errorInfo(unknown(), {&IID__DropHook}) {}

    IUnknown* unknown() { return reinterpret_cast<IUnknown*>(&_DropHook_iface); }

    _DropHook _DropHook_iface;
    ErrorInfoSupport errorInfo;
    CoreObject<shape::DropHook> object;
};

DropHookObject* impl_from__DropHook(_DropHook* iface) {
    return CONTAINING_RECORD(iface, DropHookObject, _DropHook_iface);
}

HRESULT STDMETHODCALLTYPE drophook_QueryInterface(_DropHook* iface, REFIID iid, void** out) {
    DropHookObject* This = impl_from__DropHook(iface);
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__DropHook) {
        *out = &This->_DropHook_iface;
    } else if (iid == IID_ISupportErrorInfo) {
        *out = &This->errorInfo.ISupportErrorInfo_iface;
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    This->object.addRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE drophook_AddRef(_DropHook* iface) { return impl_from__DropHook(iface)->object.addRef(); }

ULONG STDMETHODCALLTYPE drophook_Release(_DropHook* iface) {
    DropHookObject* This = impl_from__DropHook(iface);
    return This->object.release(This);
}

HRESULT STDMETHODCALLTYPE drophook_GetTypeInfoCount(_DropHook*, UINT* count) {
    return dispatchGetTypeInfoCount(count);
}

HRESULT STDMETHODCALLTYPE drophook_GetTypeInfo(_DropHook*, UINT index, LCID, ITypeInfo** info) {
    return dispatchGetTypeInfo(DualInterface::DropHook, index, info);
}

HRESULT STDMETHODCALLTYPE drophook_GetIDsOfNames(_DropHook*, REFIID iid, LPOLESTR* names, UINT count, LCID,
                                                 DISPID* ids) {
    return dispatchGetIDsOfNames(DualInterface::DropHook, iid, names, count, ids);
}

HRESULT STDMETHODCALLTYPE drophook_Invoke(_DropHook* iface, DISPID id, REFIID iid, LCID, WORD flags,
                                          DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                          UINT* argError) {
    return dispatchInvoke(DualInterface::DropHook, iface, id, iid, flags, params, result, exception, argError);
}

HRESULT STDMETHODCALLTYPE drophook_OnDragDrop(_DropHook* iface, IDispatch** dragDropHook) {
    shape::DropHook& hook = *impl_from__DropHook(iface)->object.core;
    return callCore(IID__DropHook, [&](std::span<const Arg> bound) { return hook.onDragDrop(bound); },
                    {dragDropHook});
}

const _DropHookVtbl drophook_vtbl = {
    drophook_QueryInterface,
    drophook_AddRef,
    drophook_Release,
    drophook_GetTypeInfoCount,
    drophook_GetTypeInfo,
    drophook_GetIDsOfNames,
    drophook_Invoke,
    drophook_OnDragDrop,
};

}  // namespace

HRESULT createDropHook(REFIID iid, void** out) { return createServerObject<DropHookObject>(iid, out); }

}  // namespace zelva::server
