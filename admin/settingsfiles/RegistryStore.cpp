#include "admin/settingsfiles/RegistryStore.h"

#include <array>
#include <stdexcept>
#include <utility>

#include "core/automation/Object.h"

namespace zelva::settingsfiles {

namespace {

constexpr std::array<std::pair<const char*, int32_t>, 4> kHives{{
    {"HKEY_CLASSES_ROOT", host::registry::ClassesRoot},
    {"HKEY_CURRENT_USER", host::registry::CurrentUser},
    {"HKEY_LOCAL_MACHINE", host::registry::LocalMachine},
    {"HKEY_USERS", host::registry::Users},
}};

// A key path without the separators at its ends, so "\A\B\" and "A\B" meet.
std::string_view trimSeparators(std::string_view key) {
    const size_t b = key.find_first_not_of('\\');
    if (b == std::string_view::npos) return {};
    return key.substr(b, key.find_last_not_of('\\') - b + 1);
}

// Splits "HKEY_LOCAL_MACHINE\SOFTWARE\X" into its hive and the rest; without a
// hive name, the key is under the local machine hive.
std::pair<int32_t, std::string> splitHive(std::string_view fullKey) {
    const std::string_view key = trimSeparators(fullKey);
    const std::string_view first = key.substr(0, key.find('\\'));
    for (const auto& [name, selector] : kHives)
        if (sameName(first, name)) return {selector, std::string(trimSeparators(key.substr(first.size())))};
    return {host::registry::LocalMachine, std::string(key)};
}

// Reads a quoted REGEDIT4 string starting at `pos` (on the opening quote) and
// moves `pos` past its closing quote.
std::string readQuoted(const std::string& line, size_t& pos, const std::string& where) {
    if (pos >= line.size() || line[pos] != '"') throw std::runtime_error(where + ": expected a quoted string");
    std::string out;
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c == '\\') {
            if (++pos >= line.size() || (line[pos] != '\\' && line[pos] != '"'))
                throw std::runtime_error(where + ": only \\\\ and \\\" escapes are allowed");
        }
        out += line[pos];
    }
    throw std::runtime_error(where + ": unterminated string");
}

}  // namespace

void RegistryStore::load(const std::filesystem::path& path, const Substitutions& subs) {
    const auto lines = readConfigLines(path);
    Values* current = nullptr;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::string where = lineLocation(path, i);
        if (line.empty() || line[0] == ';' || line == "REGEDIT4") continue;
        if (line.front() == '[') {
            if (line.back() != ']') throw std::runtime_error(where + ": unterminated key header");
            const auto [hive, key] = splitHive(std::string_view(line).substr(1, line.size() - 2));
            current = &hives_[hive][foldedCase(key)];
            continue;
        }
        if (!current) throw std::runtime_error(where + ": value outside a key");
        size_t pos = 0;
        std::string name;
        if (line[0] == '@')
            pos = 1;
        else
            name = readQuoted(line, pos, where);
        if (pos >= line.size() || line[pos] != '=') throw std::runtime_error(where + ": expected '='");
        ++pos;
        const std::string raw = readQuoted(line, pos, where);
        if (line.find_first_not_of(' ', pos) != std::string::npos)
            throw std::runtime_error(where + ": text after the value");
        (*current)[foldedCase(name)] = substitutePlaceholders(raw, subs, where);
    }
}

void RegistryStore::set(const std::string& key, const std::string& name, std::string value) {
    const auto [hive, path] = splitHive(key);
    hives_[hive][foldedCase(path)][foldedCase(name)] = std::move(value);
}

const std::string* RegistryStore::read(int32_t rootSelector, std::string_view key, std::string_view name) const {
    const auto hive = hives_.find(rootSelector);
    if (hive == hives_.end()) return nullptr;
    const auto values = hive->second.find(foldedCase(trimSeparators(key)));
    if (values == hive->second.end()) return nullptr;
    const auto value = values->second.find(foldedCase(name));
    if (value == values->second.end()) return nullptr;
    return &value->second;
}

std::vector<RegistryStore::Entry> RegistryStore::entries() const {
    std::vector<Entry> all;
    for (const auto& [hive, keys] : hives_)
        for (const auto& [key, values] : keys)
            for (const auto& [name, value] : values) all.push_back({hive, key, name, value});
    return all;
}

}  // namespace zelva::settingsfiles
