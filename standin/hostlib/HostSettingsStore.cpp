// HostSettingsStore: the host's own settings, in sections of named strings.
//
// The stand-in keeps them in an ini file; the registry value
// HKLM\SOFTWARE\Ombrivale\PinhostSettings "File" names it. Without that value, or
// without the file, no section opens.

#include <functional>
#include <vector>

#include "ComObject.h"
#include "HostClasses.h"
#include "RegistryRead.h"
#include "SettingsLocation.h"

namespace zelva::hostlib {

namespace {

// Calls a GetPrivateProfile* function with a growing buffer until the answer fits.
std::wstring profileText(const std::function<DWORD(wchar_t*, DWORD)>& get) {
    std::wstring buffer(256, L'\0');
    for (;;) {
        const DWORD length = get(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length + 2 < buffer.size()) return buffer.substr(0, length);
        buffer.resize(buffer.size() * 2);
    }
}

// The entries of a list of strings each ending in a null character.
std::vector<std::wstring> splitList(const std::wstring& list) {
    std::vector<std::wstring> entries;
    for (std::size_t start = 0; start < list.size();) {
        const std::size_t end = list.find(L'\0', start);
        entries.push_back(list.substr(start, end - start));
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return entries;
}

bool containsIgnoringCase(const std::vector<std::wstring>& entries, const std::wstring& wanted) {
    for (const std::wstring& entry : entries)
        if (CompareStringOrdinal(entry.c_str(), -1, wanted.c_str(), -1, TRUE) == CSTR_EQUAL) return true;
    return false;
}

class HostSettingsStore final : public DualObject<IHostSettingsStore> {
public:
    HRESULT STDMETHODCALLTYPE OpenSection(BSTR* section, VARIANT_BOOL* opened) override {
        if (!section || !opened) return E_POINTER;
        file_.clear();
        section_ = textOf(section);
        const RegistryString path = readRegistryString(HKEY_LOCAL_MACHINE, kSettingsKey, kSettingsFileValue);
        if (path.text && GetFileAttributesW(path.text->c_str()) != INVALID_FILE_ATTRIBUTES) {
            const std::wstring names = profileText([&](wchar_t* buffer, DWORD size) {
                return GetPrivateProfileSectionNamesW(buffer, size, path.text->c_str());
            });
            if (containsIgnoringCase(splitList(names), section_)) file_ = *path.text;
        }
        *opened = file_.empty() ? VARIANT_FALSE : VARIANT_TRUE;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE CloseSection() override {
        file_.clear();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE ReadString(BSTR* key, BSTR* value, VARIANT_BOOL* found) override {
        if (!key || !value || !found) return E_POINTER;
        if (file_.empty()) return fail(E_UNEXPECTED, IID_IHostSettingsStore, L"No section is open.");
        const std::wstring name = textOf(key);
        const std::wstring keys = profileText([&](wchar_t* buffer, DWORD size) {
            return GetPrivateProfileStringW(section_.c_str(), nullptr, L"", buffer, size, file_.c_str());
        });
        *found = VARIANT_FALSE;
        if (!containsIgnoringCase(splitList(keys), name)) return S_OK;
        const std::wstring text = profileText([&](wchar_t* buffer, DWORD size) {
            return GetPrivateProfileStringW(section_.c_str(), name.c_str(), L"", buffer, size, file_.c_str());
        });
        const HRESULT hr = assignText(value, text);
        if (SUCCEEDED(hr)) *found = VARIANT_TRUE;
        return hr;
    }

    ZELVA_UNUSED_SLOT(1)
    ZELVA_UNUSED_SLOT(2)
    ZELVA_UNUSED_SLOT(3)
    ZELVA_UNUSED_SLOT(4)
    ZELVA_UNUSED_SLOT(5)
    ZELVA_UNUSED_SLOT(6)
    ZELVA_UNUSED_SLOT(9)
    ZELVA_UNUSED_SLOT(10)

private:
    std::wstring file_;     // the settings file while a section is open
    std::wstring section_;
};

}  // namespace

HRESULT createHostSettingsStore(REFIID iid, void** out) {
    return createObject<HostSettingsStore>(iid, out);
}

}  // namespace zelva::hostlib
