#include "standin/comhost/RegistryOverlay.h"

#include <stdexcept>

#include "core/host/HostCodes.h"
#include "admin/settingsfiles/RegistryStore.h"
#include "windows/win32text/WideText.h"

namespace zelva::comhost {

namespace {

HKEY hiveOf(int32_t rootSelector) {
    switch (rootSelector) {
        case host::registry::ClassesRoot: return HKEY_CLASSES_ROOT;
        case host::registry::CurrentUser: return HKEY_CURRENT_USER;
        case host::registry::LocalMachine: return HKEY_LOCAL_MACHINE;
        case host::registry::Users: return HKEY_USERS;
        default: throw std::invalid_argument("no registry hive numbered " + std::to_string(rootSelector));
    }
}

bool keyExists(HKEY root, const std::wstring& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

std::wstring withoutTrailingSeparators(std::wstring key) {
    while (!key.empty() && key.back() == L'\\') key.pop_back();
    return key;
}

}  // namespace

RegistryOverlay::RegistryOverlay(std::wstring journalKey) : journal_(std::move(journalKey)) {
    earlier_ = journal_.values();
    madeKeys_ = journal_.madeKeys();
    restore();
}

void RegistryOverlay::noteMissingKeys(HKEY root, const std::wstring& key) {
    std::vector<std::wstring> missing;
    for (std::wstring k = key; !k.empty() && !keyExists(root, k);) {
        missing.push_back(k);
        const size_t parent = k.rfind(L'\\');
        k = parent == std::wstring::npos ? std::wstring() : k.substr(0, parent);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        madeKeys_.emplace_back(root, *it);
        journal_.noteMadeKey(madeKeys_.back());
    }
}

void RegistryOverlay::remember(HKEY root, const std::wstring& key, const std::wstring& name) {
    for (const OverlaidValue& e : earlier_)
        if (e.root == root && CompareStringOrdinal(e.key.c_str(), -1, key.c_str(), -1, TRUE) == CSTR_EQUAL &&
            CompareStringOrdinal(e.name.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL)
            return;
    OverlaidValue e{root, key, name, std::nullopt, REG_NONE};
    DWORD size = 0;
    if (RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &e.type, nullptr, &size) ==
        ERROR_SUCCESS) {
        e.data.emplace(size);
        RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &e.type, e.data->data(), &size);
        e.data->resize(size);
    }
    journal_.noteValue(e);
    earlier_.push_back(std::move(e));
}

void RegistryOverlay::set(int32_t rootSelector, const std::string& key, const std::string& name,
                          const std::string& value) {
    const HKEY root = hiveOf(rootSelector);
    const std::wstring wideKey = withoutTrailingSeparators(win32text::widen(key));
    const std::wstring wideName = win32text::widen(name);
    const std::wstring text = win32text::widen(value);
    remember(root, wideKey, wideName);
    noteMissingKeys(root, wideKey);
    const LSTATUS status =
        RegSetKeyValueW(root, wideKey.c_str(), wideName.c_str(), REG_SZ, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS)
        throw std::runtime_error("cannot write the registry value " + key + "\\" + name + " (" +
                                 std::to_string(status) + ")");
}

void RegistryOverlay::restore() {
    for (auto it = earlier_.rbegin(); it != earlier_.rend(); ++it) {
        if (it->data)
            RegSetKeyValueW(it->root, it->key.c_str(), it->name.c_str(), it->type, it->data->data(),
                            static_cast<DWORD>(it->data->size()));
        else
            RegDeleteKeyValueW(it->root, it->key.c_str(), it->name.c_str());
    }
    earlier_.clear();
    for (auto it = madeKeys_.rbegin(); it != madeKeys_.rend(); ++it) RegDeleteKeyW(it->first, it->second.c_str());
    madeKeys_.clear();
    journal_.clear();
}

}  // namespace zelva::comhost
