#pragma once
// The registry entries of the component's registration, as the table
// registration.tsv (a resource of the DLL) lists them, with the DLL's path put
// in for [DLL], its folder for [DIR] and its type library's platform (win32 or
// win64) for [SYSKIND].

#include <string>
#include <vector>

namespace zelva::server {

struct RegistryEntry {
    std::wstring key;   // below HKEY_CLASSES_ROOT
    std::wstring name;  // empty: the key's default value
    std::wstring data;
    bool keyOnly;       // a key made without a value
};

// Empty when the resource is missing or unreadable.
std::vector<RegistryEntry> registrationEntries(const std::wstring& dllPath);

// The keys of the entries that no other entry's key lies below: what
// unregistering removes, with all they hold.
std::vector<std::wstring> registrationRoots(const std::vector<RegistryEntry>& entries);

}  // namespace zelva::server
