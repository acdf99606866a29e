#include "admin/settingsfiles/SettingsStore.h"

#include <stdexcept>

namespace zelva::settingsfiles {

namespace {
std::string trimmed(std::string_view s) {
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    return std::string(s.substr(b, s.find_last_not_of(" \t") - b + 1));
}
}  // namespace

void SettingsStore::load(const std::filesystem::path& path, const Substitutions& subs) {
    const auto lines = readConfigLines(path);
    Keys* current = nullptr;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string line = trimmed(lines[i]);
        const std::string where = lineLocation(path, i);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[') {
            if (line.back() != ']') throw std::runtime_error(where + ": unterminated section header");
            current = &sections_[trimmed(std::string_view(line).substr(1, line.size() - 2))];
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos) throw std::runtime_error(where + ": expected Key=Value");
        if (!current) throw std::runtime_error(where + ": key outside a section");
        (*current)[trimmed(line.substr(0, eq))] = substitutePlaceholders(trimmed(line.substr(eq + 1)), subs, where);
    }
}

void SettingsStore::set(const std::string& section, const std::string& key, std::string value) {
    sections_[section][key] = std::move(value);
}

bool SettingsStore::hasSection(const std::string& section) const { return sections_.contains(section); }

std::optional<std::string> SettingsStore::read(const std::string& section, const std::string& key) const {
    const auto s = sections_.find(section);
    if (s == sections_.end()) return std::nullopt;
    const auto k = s->second.find(key);
    if (k == s->second.end()) return std::nullopt;
    return k->second;
}

std::string SettingsStore::iniText() const {
    std::string text;
    for (const auto& [section, keys] : sections_) {
        text += "[" + section + "]\r\n";
        for (const auto& [key, value] : keys) text += key + "=" + value + "\r\n";
    }
    return text;
}

}  // namespace zelva::settingsfiles
