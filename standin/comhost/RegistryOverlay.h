#pragma once
// Values written into the system's registry for one run of the host: each
// value is put back as it was, or removed with the keys made for it, when
// the overlay is restored or goes, so that one run cannot leak into the next.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelva::comhost {

class RegistryOverlay {
public:
    RegistryOverlay() = default;
    RegistryOverlay(const RegistryOverlay&) = delete;
    RegistryOverlay& operator=(const RegistryOverlay&) = delete;
    ~RegistryOverlay() { restore(); }

    // A string value; `rootSelector` numbers the hive as the host library does.
    void set(int32_t rootSelector, const std::string& key, const std::string& name, const std::string& value);
    void restore();

private:
    struct Earlier {
        HKEY root;
        std::wstring key, name;
        std::optional<std::vector<BYTE>> data;  // none: the value did not exist
        DWORD type = REG_NONE;
    };
    void remember(HKEY root, const std::wstring& key, const std::wstring& name);
    void noteMissingKeys(HKEY root, const std::wstring& key);

    std::vector<Earlier> earlier_;                          // each value's state before its first write
    std::vector<std::pair<HKEY, std::wstring>> madeKeys_;  // outermost first
};

}  // namespace zelva::comhost
