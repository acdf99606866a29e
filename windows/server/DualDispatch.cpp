#include "DualDispatch.h"

#include <cguid.h>

#include "windows/comvalues/ComPtr.h"
#include "ScriptReferences.h"

namespace zelva::server {

namespace {

// A member's failure that left error information becomes DISP_E_EXCEPTION with
// that information, as the type library's Invoke does not always do itself.
HRESULT completeException(HRESULT hr, EXCEPINFO* exception) {
    if (SUCCEEDED(hr) || hr == DISP_E_EXCEPTION || !exception) return hr;
    comvalues::ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.put()) != S_OK) return hr;
    *exception = EXCEPINFO{};
    IErrorInfo_GetSource(info.get(), &exception->bstrSource);
    IErrorInfo_GetDescription(info.get(), &exception->bstrDescription);
    exception->scode = hr;
    return DISP_E_EXCEPTION;
}

}  // namespace

HRESULT dispatchGetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT dispatchGetTypeInfo(DualInterface which, UINT index, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return typeInfoOf(which, info);
}

HRESULT dispatchGetIDsOfNames(DualInterface which, REFIID iid, LPOLESTR* names, UINT count, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    comvalues::ComPtr<ITypeInfo> info;
    const HRESULT hr = typeInfoOf(which, info.put());
    return FAILED(hr) ? hr : ITypeInfo_GetIDsOfNames(info.get(), names, count, ids);
}

HRESULT dispatchInvoke(DualInterface which, void* object, DISPID id, REFIID iid, WORD flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    if (!params) return E_POINTER;
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    comvalues::ComPtr<ITypeInfo> info;
    HRESULT hr = typeInfoOf(which, info.put());
    if (FAILED(hr)) return hr;
    ScriptReferences references;
    hr = references.unwrap(info.get(), id, flags, *params, argError);
    if (FAILED(hr)) return hr;
    SetErrorInfo(0, nullptr);
    const WrittenOutputs written;
    hr = ITypeInfo_Invoke(info.get(), object, id, flags, references.params(), result, exception, argError);
    references.writeBack(written);
    return completeException(hr, exception);
}

}  // namespace zelva::server
