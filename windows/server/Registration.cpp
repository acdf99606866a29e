// Self-registration, for the DLL at its own path: the registry entries of the
// table registration.tsv (the classes as apartment-threaded in-process servers
// with their ProgIDs, the type library and its two dual interfaces, marshalled
// through it), the same entries the install package writes. The type library
// must load before anything is written. A registration that fails part way
// removes what it wrote and answers the failure.

#include <windows.h>
#include <oleauto.h>
#include <olectl.h>

#include <cguid.h>
#include <string>
#include <vector>

#include "ComErrors.h"
#include "windows/comvalues/ComPtr.h"
#include "RegistrationTable.h"
#include "ServerModule.h"

using namespace zelva::server;
using zelva::comvalues::ComPtr;

namespace {

HRESULT writeEntry(const RegistryEntry& entry) {
    if (entry.keyOnly) {
        HKEY key;
        const LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, entry.key.c_str(), 0, nullptr, 0, KEY_WRITE,
                                               nullptr, &key, nullptr);
        if (status == ERROR_SUCCESS) RegCloseKey(key);
        return HRESULT_FROM_WIN32(status);
    }
    const LSTATUS status =
        RegSetKeyValueW(HKEY_CLASSES_ROOT, entry.key.c_str(), entry.name.empty() ? nullptr : entry.name.c_str(),
                        REG_SZ, entry.data.c_str(), static_cast<DWORD>((entry.data.size() + 1) * sizeof(wchar_t)));
    return HRESULT_FROM_WIN32(status);
}

// Removes everything registration writes, going on past a failure; answers the first.
HRESULT unregisterAll(const std::vector<RegistryEntry>& entries) {
    HRESULT first = S_OK;
    for (const std::wstring& root : registrationRoots(entries)) {
        const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, root.c_str());
        if (status != ERROR_FILE_NOT_FOUND && status != ERROR_SUCCESS && SUCCEEDED(first))
            first = HRESULT_FROM_WIN32(status);
    }
    return first;
}

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return guarded(IID_NULL, [] {
        const std::wstring path = modulePath();
        ComPtr<ITypeLib> library;
        HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put());
        if (FAILED(hr)) return hr;
        const auto entries = registrationEntries(path);
        if (entries.empty()) return SELFREG_E_CLASS;
        for (const RegistryEntry& entry : entries)
            if (SUCCEEDED(hr)) hr = writeEntry(entry);
        if (FAILED(hr)) unregisterAll(entries);
        return hr;
    });
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return guarded(IID_NULL, [] { return unregisterAll(registrationEntries(modulePath())); });
}
