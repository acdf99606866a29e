#pragma once
// Where the stand-in host library finds the host's own settings: the ini file
// named by this registry value under HKEY_LOCAL_MACHINE.

namespace zelva::hostlib {

inline constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Ombrivale\\PinhostSettings";
inline constexpr wchar_t kSettingsFileValue[] = L"File";

}  // namespace zelva::hostlib
