// Self-registration, for the DLL at its own path: the registry entries of the
// table registration.tsv (the classes as apartment-threaded in-process servers
// with their ProgIDs, the type library and its two dual interfaces, marshalled
// through it), the same entries the install package writes. The type library
// must load before anything is written. A registration that fails part way
// removes what it wrote and answers the failure.
//
// The 32-bit and the 64-bit DLL may be registered side by side on one machine.
// Windows keeps the class and interface keys apart for the two architectures and
// shares the rest, the type library and the ProgIDs, between them. So
// unregistering removes this architecture's class and interface keys, and its
// own values among the shared keys (the type library's path for this platform
// under each locale); the shared keys go too only when no other platform's path
// of the type library is left, since the other architecture's classes are found
// by those ProgIDs and marshalled through that type library.

#include <windows.h>
#include <oleauto.h>
#include <olectl.h>

#include <cguid.h>
#include <string>
#include <string_view>
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

// Keys that Windows keeps once per architecture.
bool inArchitectureView(const std::wstring& key) {
    for (const std::wstring_view view : {std::wstring_view(L"CLSID\\"), std::wstring_view(L"Interface\\")})
        if (key.compare(0, view.size(), view) == 0) return true;
    return false;
}

// Removes this DLL's registration, going on past a failure; answers the first.
HRESULT unregisterAll(const std::wstring& dllPath, const std::vector<RegistryEntry>& entries) {
    HRESULT first = S_OK;
    const auto removeTree = [&](const std::wstring& key) {
        const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
        if (status != ERROR_FILE_NOT_FOUND && status != ERROR_SUCCESS && SUCCEEDED(first))
            first = HRESULT_FROM_WIN32(status);
    };
    std::vector<std::wstring> shared;
    for (const std::wstring& root : registrationRoots(entries)) {
        if (inArchitectureView(root)) removeTree(root);
        else shared.push_back(root);
    }
    // Among the shared keys, the values naming this DLL are this platform's type
    // library paths, one key each below a locale key that holds only such paths.
    bool otherPlatformLeft = false;
    for (const RegistryEntry& entry : entries) {
        if (entry.keyOnly || entry.data != dllPath || inArchitectureView(entry.key)) continue;
        removeTree(entry.key);
        const std::wstring locale = entry.key.substr(0, entry.key.find_last_of(L'\\'));
        // Refused while another platform's path is in it.
        const LSTATUS status = RegDeleteKeyW(HKEY_CLASSES_ROOT, locale.c_str());
        otherPlatformLeft = otherPlatformLeft || (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND);
    }
    if (!otherPlatformLeft)
        for (const std::wstring& root : shared) removeTree(root);
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
        if (FAILED(hr)) unregisterAll(path, entries);
        return hr;
    });
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return guarded(IID_NULL, [] {
        const std::wstring path = modulePath();
        return unregisterAll(path, registrationEntries(path));
    });
}
