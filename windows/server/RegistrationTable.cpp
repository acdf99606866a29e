#include "RegistrationTable.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "ResourceIds.h"
#include "ServerModule.h"
#include "windows/win32text/WideText.h"

namespace zelva::server {

namespace {

constexpr std::wstring_view kDllMarker = L"[DLL]";
constexpr std::wstring_view kDirMarker = L"[DIR]";

std::string_view tableText() {
    HRSRC found = FindResourceW(moduleInstance(), MAKEINTRESOURCEW(IDR_REGISTRATION), MAKEINTRESOURCEW(10));
    if (!found) return {};
    HGLOBAL loaded = LoadResource(moduleInstance(), found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    return data ? std::string_view(static_cast<const char*>(data), SizeofResource(moduleInstance(), found)) : "";
}

std::wstring substituted(std::wstring data, const std::wstring& dll, const std::wstring& dir) {
    for (const auto& [marker, value] : {std::pair{kDllMarker, &dll}, std::pair{kDirMarker, &dir}})
        for (size_t at = data.find(marker); at != std::wstring::npos; at = data.find(marker, at + value->size()))
            data.replace(at, marker.size(), *value);
    return data;
}

std::vector<std::wstring> fields(std::wstring_view line) {
    std::vector<std::wstring> out(1);
    for (const wchar_t c : line) {
        if (c == L'\t') out.emplace_back();
        else out.back() += c;
    }
    return out;
}

}  // namespace

std::vector<RegistryEntry> registrationEntries(const std::wstring& dllPath) {
    const std::wstring dir = dllPath.substr(0, dllPath.find_last_of(L'\\') + 1);
    const std::wstring text = win32text::widen(tableText());
    std::vector<RegistryEntry> entries;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring_view line(text.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
        if (line.empty() || line.front() == L'#') continue;
        const auto f = fields(line);
        if (f.size() == 1) entries.push_back({f[0], L"", L"", true});
        else if (f.size() == 3) entries.push_back({f[0], f[1], substituted(f[2], dllPath, dir), false});
        else return {};
    }
    return entries;
}

std::vector<std::wstring> registrationRoots(const std::vector<RegistryEntry>& entries) {
    std::vector<std::wstring> roots;
    for (const RegistryEntry& e : entries) {
        const bool below = std::any_of(entries.begin(), entries.end(), [&](const RegistryEntry& other) {
            return e.key.size() > other.key.size() && e.key.compare(0, other.key.size(), other.key) == 0 &&
                   e.key[other.key.size()] == L'\\';
        });
        if (!below && std::find(roots.begin(), roots.end(), e.key) == roots.end()) roots.push_back(e.key);
    }
    return roots;
}

}  // namespace zelva::server
