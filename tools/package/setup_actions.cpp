// The package's custom actions, in ZelvacorinSetup.dll (a binary of the
// package, never installed).
//
// RefuseInstall stops an installation before anything is installed, with the
// text of the property REFUSAL as its error (the package sets it, naming what
// it refuses and what it takes).
//
// NoteUiLanguage sets the property UILANGUAGE to the two-letter name of the
// machine's user-interface language ("de", "it", "en", ...), from which the
// package takes its default LANGUAGE.
//
// RemoveUnchangedTables: on uninstall the table files are permanent
// components, so the installer leaves them all; this action then deletes each
// table whose content is still the shipped content, and the folders that
// leaves empty. A table an administrator changed stays. On upgrade the older
// version is uninstalled first, so the newer one installs its own tables where
// the old ones were unchanged and never overwrites the changed ones.
//
// Its data (the deferred action's CustomActionData, written by make_wxs.py):
// the install folder, then for each table "|" + its path below the folder +
// ";" + the MD5 of the shipped file in hex. A table that cannot be hashed is kept.
//
// RemoveSharedRegistration: the ProgIDs and the type library's key are shared by
// the 32-bit and the 64-bit registration, so the package writes them as a
// permanent component, which the installer leaves on uninstall; this action then
// removes them, unless a type-library path of the other platform is left under
// one of the type library's locale keys: the other architecture's package, or its
// DLL registered by regsvr32, still uses them. Its data: the locale keys
// separated by ";", then for each shared key "|" + the key, all below
// HKEY_LOCAL_MACHINE\Software\Classes, where a per-machine package writes.

#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring property(MSIHANDLE install, const wchar_t* name) {
    DWORD size = 0;
    wchar_t none[1] = L"";
    MsiGetPropertyW(install, name, none, &size);
    std::wstring value(size + 1, L'\0');
    size = static_cast<DWORD>(value.size());
    if (MsiGetPropertyW(install, name, value.data(), &size) != ERROR_SUCCESS) return {};
    value.resize(size);
    return value;
}

std::vector<std::wstring> split(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> parts(1);
    for (const wchar_t c : text) {
        if (c == separator) parts.emplace_back();
        else parts.back() += c;
    }
    return parts;
}

// The file's MD5 in hex, as the installer's file hash holds it; empty when unreadable.
std::wstring md5Hex(const std::wstring& path) {
    MSIFILEHASHINFO hash{};
    hash.dwFileHashInfoSize = sizeof hash;
    if (MsiGetFileHashW(path.c_str(), 0, &hash) != ERROR_SUCCESS) return {};
    std::wstring hex;
    for (const ULONG part : hash.dwData)
        for (int byte = 0; byte < 4; ++byte) {
            wchar_t digits[3];
            std::swprintf(digits, 3, L"%02x", static_cast<unsigned>((part >> (8 * byte)) & 0xFF));
            hex += digits;
        }
    return hex;
}

// Removes the folders between `path`'s folder and `top`, innermost first, while empty.
void removeEmptyFolders(std::wstring path, const std::wstring& top) {
    for (size_t cut = path.find_last_of(L'\\'); cut != std::wstring::npos && cut + 1 > top.size();
         cut = path.find_last_of(L'\\')) {
        path.resize(cut);
        if (path.size() < top.size() || !RemoveDirectoryW(path.c_str())) return;
    }
}

bool hasSubkeys(HKEY root, const std::wstring& key) {
    HKEY handle;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    DWORD subkeys = 0;
    const LSTATUS status =
        RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr);
    RegCloseKey(handle);
    return status == ERROR_SUCCESS && subkeys > 0;
}

}  // namespace

extern "C" UINT __stdcall NoteUiLanguage(MSIHANDLE install) {
    const LCID ui = MAKELCID(GetSystemDefaultUILanguage(), SORT_DEFAULT);
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = L"";
    if (GetLocaleInfoW(ui, LOCALE_SISO639LANGNAME, name, LOCALE_NAME_MAX_LENGTH) > 0)
        MsiSetPropertyW(install, L"UILANGUAGE", name);
    return ERROR_SUCCESS;
}

extern "C" UINT __stdcall RemoveUnchangedTables(MSIHANDLE install) {
    const auto fields = split(property(install, L"CustomActionData"), L'|');
    const std::wstring& folder = fields.front();
    for (size_t i = 1; i < fields.size(); ++i) {
        const auto table = split(fields[i], L';');
        if (table.size() != 2) continue;
        const std::wstring path = folder + table[0];
        if (md5Hex(path) == table[1] && DeleteFileW(path.c_str())) removeEmptyFolders(path, folder);
    }
    return ERROR_SUCCESS;
}

extern "C" UINT __stdcall RemoveSharedRegistration(MSIHANDLE install) {
    const auto fields = split(property(install, L"CustomActionData"), L'|');
    HKEY classes;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes", 0, KEY_READ | KEY_WRITE, &classes) != ERROR_SUCCESS)
        return ERROR_SUCCESS;
    bool otherPlatformLeft = false;
    for (const std::wstring& locale : split(fields.front(), L';'))
        otherPlatformLeft = otherPlatformLeft || hasSubkeys(classes, locale);
    if (!otherPlatformLeft)
        for (size_t i = 1; i < fields.size(); ++i) RegDeleteTreeW(classes, fields[i].c_str());
    RegCloseKey(classes);
    return ERROR_SUCCESS;
}

extern "C" UINT __stdcall RefuseInstall(MSIHANDLE install) {
    const MSIHANDLE record = MsiCreateRecord(0);
    MsiRecordSetStringW(record, 0, property(install, L"REFUSAL").c_str());
    MsiProcessMessage(install, INSTALLMESSAGE_ERROR, record);
    MsiCloseHandle(record);
    return ERROR_INSTALL_FAILURE;
}
