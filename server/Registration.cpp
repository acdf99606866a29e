// Self-registration, for the DLL at its own path: writes every value of the
// registry layout (RegistryLayout.h) and unregistration removes its keys. A
// registration that fails part way removes what it wrote and answers the
// failure. The keys of the libraries the type library imports are not touched.

#include <windows.h>
#include <oleauto.h>

#include <cguid.h>
#include <string>

#include "ComErrors.h"
#include "ComPtr.h"
#include "RegistryLayout.h"
#include "ServerModule.h"

using namespace zelva::server;

namespace {

HRESULT setString(const RegistryValue& v) {
    const LSTATUS status =
        RegSetKeyValueW(HKEY_CLASSES_ROOT, v.key.c_str(), v.name.empty() ? nullptr : v.name.c_str(), REG_SZ,
                        v.value.c_str(), static_cast<DWORD>((v.value.size() + 1) * sizeof(wchar_t)));
    return HRESULT_FROM_WIN32(status);
}

HRESULT deleteTree(const std::wstring& key) {
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

HRESULT layoutOfThisDll(RegistryLayout& layout) {
    const std::wstring path = modulePath();
    ComPtr<ITypeLib> library;
    const HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put());
    return FAILED(hr) ? hr : registryLayout(library.get(), path, layout);
}

// Removes every key of the layout, going on past a failure; answers the first.
HRESULT removeKeys(const RegistryLayout& layout) {
    HRESULT first = S_OK;
    for (const std::wstring& key : layout.keys) {
        const HRESULT hr = deleteTree(key);
        if (SUCCEEDED(first)) first = hr;
    }
    return first;
}

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return guarded(IID_NULL, [] {
        RegistryLayout layout;
        HRESULT hr = layoutOfThisDll(layout);
        if (FAILED(hr)) return hr;
        for (const RegistryValue& value : layout.values)
            if (SUCCEEDED(hr)) hr = setString(value);
        if (FAILED(hr)) removeKeys(layout);
        return hr;
    });
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return guarded(IID_NULL, [] {
        RegistryLayout layout;
        const HRESULT hr = layoutOfThisDll(layout);
        return FAILED(hr) ? hr : removeKeys(layout);
    });
}
