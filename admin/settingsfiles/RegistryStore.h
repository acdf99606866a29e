#pragma once
// Registry settings as a host's library reads them: string values under keys
// of the four root hives, loaded from REGEDIT4 files. Keys and value
// names compare without regard to case, as in Windows.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/host/HostCodes.h"
#include "admin/settingsfiles/CaseInsensitive.h"
#include "admin/settingsfiles/ConfigFiles.h"

namespace zelva::settingsfiles {

class RegistryStore {
public:
    // Merges a REGEDIT4 file: `[HKEY_LOCAL_MACHINE\SOFTWARE\...]` headers,
    // `"Name"="value"` or `@="value"` lines with `\\` and `\"` escapes, `;`
    // comments. Placeholders in values are substituted. Anything else is a
    // std::runtime_error naming the file and line.
    void load(const std::filesystem::path& path, const Substitutions& subs = {});

    // `key` may start with a hive name; without one it is under HKEY_LOCAL_MACHINE.
    void set(const std::string& key, const std::string& name, std::string value);

    // The value held, or nothing; it stays valid until the store changes.
    const std::string* read(int32_t rootSelector, std::string_view key, std::string_view name) const;

    struct Entry {
        int32_t rootSelector;
        const std::string& key;
        const std::string& name;
        const std::string& value;
    };
    // Every value held, hive by hive and key by key.
    std::vector<Entry> entries() const;

private:
    // Keys and value names are kept folded to lower case (foldedCase), so a
    // lookup folds its names once and hashes them.
    using Values = std::unordered_map<std::string, std::string>;
    using Keys = std::unordered_map<std::string, Values>;
    std::map<int32_t, Keys> hives_;
};

}  // namespace zelva::settingsfiles
