#pragma once
// A host's own sectioned settings, loaded from an ini-style file:
// `[Section]` headers, `Key=Value` lines, `;` or `#` comments. Sections and
// keys compare without regard to case; spaces around keys and values go.

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "admin/settingsfiles/CaseInsensitive.h"
#include "admin/settingsfiles/ConfigFiles.h"

namespace zelva::settingsfiles {

class SettingsStore {
public:
    // Merges a file; placeholders in values are substituted. A malformed line
    // is a std::runtime_error naming the file and line.
    void load(const std::filesystem::path& path, const Substitutions& subs = {});
    void set(const std::string& section, const std::string& key, std::string value);

    bool hasSection(const std::string& section) const;
    std::optional<std::string> read(const std::string& section, const std::string& key) const;

    // The settings as an ini file reads: `[Section]` then `Key=Value` lines, CR LF ends.
    std::string iniText() const;

private:
    using Keys = std::map<std::string, std::string, CaseInsensitiveLess>;
    std::map<std::string, Keys, CaseInsensitiveLess> sections_;
};

}  // namespace zelva::settingsfiles
