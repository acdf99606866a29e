// The settings a package wrote, read from the registry's 32-bit view, where
// the 32-bit component reads them. Elsewhere there is no registry to read.

#include "admin/checker/TreeSettings.h"

#ifdef _WIN32
#include <windows.h>

#include "core/env/Settings.h"
#include "windows/win32text/WideText.h"

namespace zelva::checker {

namespace {

// Copies the string values of one key; false when the key is absent.
bool copyKey(const char* key, settingsfiles::RegistryStore& registry) {
    HKEY handle;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, win32text::widen(key).c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &handle) !=
        ERROR_SUCCESS)
        return false;
    wchar_t name[256];
    wchar_t data[2048];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = 256, dataSize = sizeof data, type = 0;
        const LSTATUS status = RegEnumValueW(handle, i, name, &nameSize, nullptr, &type,
                                             reinterpret_cast<BYTE*>(data), &dataSize);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS || type != REG_SZ) continue;
        registry.set(key, win32text::narrow({name, nameSize}),
                     win32text::narrow({data, wcsnlen(data, dataSize / sizeof(wchar_t))}));
    }
    RegCloseKey(handle);
    return true;
}

}  // namespace

bool loadInstalledSettings(settingsfiles::RegistryStore& registry) {
    const bool family = copyKey(env::kFamilyKey, registry);
    const bool product = copyKey(env::kProductKey, registry);
    return family && product;
}

}  // namespace zelva::checker

#else

namespace zelva::checker {

bool loadInstalledSettings(settingsfiles::RegistryStore&) { return false; }

}  // namespace zelva::checker

#endif
