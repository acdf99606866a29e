#include "standin/comhost/OverlayJournal.h"

#include <cstring>
#include <cwchar>
#include <stdexcept>

namespace zelva::comhost {

namespace {

// Each entry is a numbered subkey of "Values" or "MadeKeys".
constexpr wchar_t kValues[] = L"Values";
constexpr wchar_t kMadeKeys[] = L"MadeKeys";

// A predefined hive survives a DWORD: its handle is a sign-extended 32-bit number.
DWORD hiveNumber(HKEY root) { return static_cast<DWORD>(reinterpret_cast<LONG_PTR>(root)); }
HKEY hiveOf(DWORD number) { return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(number))); }

std::wstring entryKey(const std::wstring& journal, const wchar_t* list, DWORD n) {
    return journal + L"\\" + list + L"\\" + std::to_wstring(n);
}

void write(const std::wstring& key, const wchar_t* name, DWORD type, const void* data, size_t bytes) {
    const LSTATUS status =
        RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, type, data, static_cast<DWORD>(bytes));
    if (status != ERROR_SUCCESS)
        throw std::runtime_error("cannot write the registry overlay's journal (" + std::to_string(status) + ")");
}
void writeNumber(const std::wstring& key, const wchar_t* name, DWORD n) { write(key, name, REG_DWORD, &n, sizeof n); }
void writeText(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
    write(key, name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

std::optional<std::vector<BYTE>> readBytes(const std::wstring& key, const wchar_t* name, DWORD flags) {
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, flags, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<BYTE> data(size);
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, flags, nullptr, data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return data;
}
DWORD readNumber(const std::wstring& key, const wchar_t* name) {
    const auto data = readBytes(key, name, RRF_RT_REG_DWORD);
    DWORD n = 0;
    if (data && data->size() == sizeof n) memcpy(&n, data->data(), sizeof n);
    return n;
}
std::wstring readText(const std::wstring& key, const wchar_t* name) {
    const auto data = readBytes(key, name, RRF_RT_REG_SZ);
    if (!data) return {};
    const auto* text = reinterpret_cast<const wchar_t*>(data->data());
    return std::wstring(text, wcsnlen(text, data->size() / sizeof(wchar_t)));  // without its terminating NUL
}

bool keyExists(const std::wstring& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

}  // namespace

OverlayJournal::OverlayJournal(std::wstring key) : key_(std::move(key)) {}

void OverlayJournal::noteValue(const OverlaidValue& value) {
    const std::wstring entry = entryKey(key_, kValues, values_);
    writeNumber(entry, L"Root", hiveNumber(value.root));
    writeText(entry, L"Key", value.key);
    writeText(entry, L"Name", value.name);
    if (value.data) {
        writeNumber(entry, L"Type", value.type);
        write(entry, L"Data", REG_BINARY, value.data->data(), value.data->size());
    }
    ++values_;
}

void OverlayJournal::noteMadeKey(const MadeKey& key) {
    const std::wstring entry = entryKey(key_, kMadeKeys, madeKeys_);
    writeNumber(entry, L"Root", hiveNumber(key.first));
    writeText(entry, L"Key", key.second);
    ++madeKeys_;
}

std::vector<OverlaidValue> OverlayJournal::values() const {
    std::vector<OverlaidValue> values;
    for (DWORD n = 0;; ++n) {
        const std::wstring entry = entryKey(key_, kValues, n);
        if (!keyExists(entry)) return values;
        OverlaidValue v{hiveOf(readNumber(entry, L"Root")), readText(entry, L"Key"), readText(entry, L"Name"),
                        readBytes(entry, L"Data", RRF_RT_ANY), REG_NONE};
        if (v.data) v.type = readNumber(entry, L"Type");
        values.push_back(std::move(v));
    }
}

std::vector<MadeKey> OverlayJournal::madeKeys() const {
    std::vector<MadeKey> keys;
    for (DWORD n = 0;; ++n) {
        const std::wstring entry = entryKey(key_, kMadeKeys, n);
        if (!keyExists(entry)) return keys;
        keys.emplace_back(hiveOf(readNumber(entry, L"Root")), readText(entry, L"Key"));
    }
}

void OverlayJournal::clear() {
    RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str());
    values_ = madeKeys_ = 0;
}

}  // namespace zelva::comhost
