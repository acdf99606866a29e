// The smallest apartment-threaded automation server: one class, IDispatch
// through its embedded type library (loaded on first use), a static class
// factory, self-registration. Only the DLL-start benchmark uses it.

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "minimal_server.h"

namespace {

constexpr wchar_t kProgId[] = L"Zelvacorin.MinimalStart";
HINSTANCE instance;
LONG liveObjects;

std::wstring modulePath() {
    wchar_t path[MAX_PATH];
    return std::wstring(path, GetModuleFileNameW(instance, path, MAX_PATH));
}

std::wstring guidText(REFGUID guid) {
    wchar_t text[39];
    StringFromGUID2(guid, text, 39);
    return text;
}

HRESULT loadTypeInfo(ITypeInfo** info) {
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(modulePath().c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) return hr;
    hr = ITypeLib_GetTypeInfoOfGuid(library, IID_IMinimalStart, info);
    ITypeLib_Release(library);
    return hr;
}

struct MinimalObject {
    IMinimalStart IMinimalStart_iface;
    LONG refs;
    ITypeInfo* typeInfo;  // on first use
};

MinimalObject* impl_from_IMinimalStart(IMinimalStart* iface) {
    return CONTAINING_RECORD(iface, MinimalObject, IMinimalStart_iface);
}

HRESULT typeInfoOf(MinimalObject* This, ITypeInfo** info) {
    if (!This->typeInfo) {
        const HRESULT hr = loadTypeInfo(&This->typeInfo);
        if (FAILED(hr)) return hr;
    }
    ITypeInfo_AddRef(This->typeInfo);
    *info = This->typeInfo;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE minimal_QueryInterface(IMinimalStart* iface, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != IID_IMinimalStart) {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    *out = iface;
    IMinimalStart_AddRef(iface);
    return S_OK;
}

ULONG STDMETHODCALLTYPE minimal_AddRef(IMinimalStart* iface) {
    return InterlockedIncrement(&impl_from_IMinimalStart(iface)->refs);
}

ULONG STDMETHODCALLTYPE minimal_Release(IMinimalStart* iface) {
    MinimalObject* This = impl_from_IMinimalStart(iface);
    const ULONG left = InterlockedDecrement(&This->refs);
    if (left == 0) {
        if (This->typeInfo) ITypeInfo_Release(This->typeInfo);
        delete This;
        InterlockedDecrement(&liveObjects);
    }
    return left;
}

HRESULT STDMETHODCALLTYPE minimal_GetTypeInfoCount(IMinimalStart*, UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE minimal_GetTypeInfo(IMinimalStart* iface, UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return typeInfoOf(impl_from_IMinimalStart(iface), info);
}

HRESULT STDMETHODCALLTYPE minimal_GetIDsOfNames(IMinimalStart* iface, REFIID, LPOLESTR* names, UINT count, LCID,
                                                DISPID* ids) {
    ITypeInfo* info = nullptr;
    HRESULT hr = typeInfoOf(impl_from_IMinimalStart(iface), &info);
    if (FAILED(hr)) return hr;
    hr = ITypeInfo_GetIDsOfNames(info, names, count, ids);
    ITypeInfo_Release(info);
    return hr;
}

HRESULT STDMETHODCALLTYPE minimal_Invoke(IMinimalStart* iface, DISPID id, REFIID, LCID, WORD flags,
                                         DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* badArg) {
    ITypeInfo* info = nullptr;
    HRESULT hr = typeInfoOf(impl_from_IMinimalStart(iface), &info);
    if (FAILED(hr)) return hr;
    hr = ITypeInfo_Invoke(info, iface, id, flags, params, result, exception, badArg);
    ITypeInfo_Release(info);
    return hr;
}

HRESULT STDMETHODCALLTYPE minimal_Ping(IMinimalStart*) { return S_OK; }

const IMinimalStartVtbl minimal_vtbl = {
    minimal_QueryInterface, minimal_AddRef,        minimal_Release, minimal_GetTypeInfoCount,
    minimal_GetTypeInfo,    minimal_GetIDsOfNames, minimal_Invoke,  minimal_Ping,
};

HRESULT STDMETHODCALLTYPE factory_QueryInterface(IClassFactory* iface, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    *out = iface;
    return S_OK;
}

ULONG STDMETHODCALLTYPE factory_AddRef(IClassFactory*) { return 2; }
ULONG STDMETHODCALLTYPE factory_Release(IClassFactory*) { return 1; }

HRESULT STDMETHODCALLTYPE factory_CreateInstance(IClassFactory*, IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* object = new MinimalObject{{&minimal_vtbl}, 1, nullptr};
    InterlockedIncrement(&liveObjects);
    const HRESULT hr = IMinimalStart_QueryInterface(&object->IMinimalStart_iface, iid, out);
    IMinimalStart_Release(&object->IMinimalStart_iface);
    return hr;
}

HRESULT STDMETHODCALLTYPE factory_LockServer(IClassFactory*, BOOL) { return S_OK; }

const IClassFactoryVtbl factory_vtbl = {
    factory_QueryInterface, factory_AddRef, factory_Release, factory_CreateInstance, factory_LockServer,
};
IClassFactory factory = {&factory_vtbl};

HRESULT setString(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    return HRESULT_FROM_WIN32(RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))));
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE dll, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) instance = dll;
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (clsid != CLSID_MinimalStart) return CLASS_E_CLASSNOTAVAILABLE;
    return IClassFactory_QueryInterface(&factory, iid, out);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return liveObjects == 0 ? S_OK : S_FALSE; }

extern "C" HRESULT WINAPI DllRegisterServer() {
    const std::wstring key = L"CLSID\\" + guidText(CLSID_MinimalStart);
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(modulePath().c_str(), REGKIND_REGISTER, &library);
    if (SUCCEEDED(hr)) ITypeLib_Release(library);
    if (SUCCEEDED(hr)) hr = setString(key + L"\\InprocServer32", nullptr, modulePath());
    if (SUCCEEDED(hr)) hr = setString(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    if (SUCCEEDED(hr)) hr = setString(std::wstring(kProgId) + L"\\CLSID", nullptr, guidText(CLSID_MinimalStart));
    return hr;
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + guidText(CLSID_MinimalStart)).c_str());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
    return UnRegisterTypeLib(LIBID_MinimalStart, 1, 0, LOCALE_NEUTRAL, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
}
