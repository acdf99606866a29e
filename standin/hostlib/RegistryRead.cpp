#include "RegistryRead.h"

namespace zelva::hostlib {

namespace {

constexpr size_t kFirstGuess = 260;  // characters: a path of the classic length

}  // namespace

RegistryString readRegistryString(HKEY root, const std::wstring& key, const std::wstring& name) {
    // Read at a first guess of its length, a value usually takes one call; a
    // longer one (or one that grew in between) is read again at its size.
    std::wstring text(kFirstGuess, L'\0');
    for (;;) {
        DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        const LSTATUS status =
            RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, text.data(), &bytes);
        if (status == ERROR_MORE_DATA) {
            text.assign(bytes / sizeof(wchar_t) + 1, L'\0');
            continue;
        }
        if (status != ERROR_SUCCESS) return {status, std::nullopt};
        text.resize(wcsnlen(text.c_str(), text.size()));
        return {ERROR_SUCCESS, text};
    }
}

}  // namespace zelva::hostlib
