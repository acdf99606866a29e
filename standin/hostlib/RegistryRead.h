#pragma once
// Reading one string value of the Windows registry.

#include <windows.h>

#include <optional>
#include <string>

namespace zelva::hostlib {

struct RegistryString {
    LSTATUS status;                   // ERROR_SUCCESS when the value was read
    std::optional<std::wstring> text; // the value, when it is a string
};

RegistryString readRegistryString(HKEY root, const std::wstring& key, const std::wstring& name);

}  // namespace zelva::hostlib
