#include "RegistryRead.h"

namespace zelva::hostlib {

RegistryString readRegistryString(HKEY root, const std::wstring& key, const std::wstring& name) {
    const DWORD flags = RRF_RT_REG_SZ;
    for (;;) {
        DWORD bytes = 0;
        LSTATUS status = RegGetValueW(root, key.c_str(), name.c_str(), flags, nullptr, nullptr, &bytes);
        if (status != ERROR_SUCCESS) return {status, std::nullopt};
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        status = RegGetValueW(root, key.c_str(), name.c_str(), flags, nullptr, text.data(), &bytes);
        if (status == ERROR_MORE_DATA) continue;  // the value grew in between
        if (status != ERROR_SUCCESS) return {status, std::nullopt};
        text.resize(wcsnlen(text.c_str(), text.size()));
        return {ERROR_SUCCESS, text};
    }
}

}  // namespace zelva::hostlib
