#pragma once
// Every registry value the DLL's registration writes, in one list, so that
// self-registration and an installer's registry table come from one source:
//
//   TypeLib\{libid}\1.0                      (default) the library's name
//   TypeLib\{libid}\1.0\0\win32              (default) the DLL's path
//   TypeLib\{libid}\1.0\409\win32            (default) the DLL's path
//   TypeLib\{libid}\1.0\FLAGS                (default) the library's flags, decimal
//   TypeLib\{libid}\1.0\HELPDIR              (default) the DLL's folder
//   Interface\{iid}                          (default) the interface's name
//   Interface\{iid}\ProxyStubClsid[32]       (default) the type-library marshaller
//   Interface\{iid}\TypeLib                  (default) {libid}, Version 1.0
//   CLSID\{clsid}                            (default) the ProgID
//   CLSID\{clsid}\InprocServer32             (default) the DLL's path, ThreadingModel Apartment
//   CLSID\{clsid}\ProgID, \TypeLib           (default) the ProgID, {libid}
//   <ProgID>, <ProgID>\CLSID                 (default) the ProgID, {clsid}
//
// for each dual interface and each class. The library's own locale is 0x409;
// it is registered under the neutral locale 0 as well, because the
// type-library marshaller looks it up there, and without it neither interface
// marshals to another apartment.

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

namespace zelva::server {

struct RegistryValue {
    std::wstring key;    // under HKEY_CLASSES_ROOT
    std::wstring name;   // empty for the key's default value
    std::wstring value;  // a string value
};

struct RegistryLayout {
    std::vector<RegistryValue> values;
    // The keys that unregistering removes, each with everything below it.
    std::vector<std::wstring> keys;
};

// The layout for `library`, the type library embedded in the DLL at `path`.
HRESULT registryLayout(ITypeLib* library, const std::wstring& path, RegistryLayout& layout);

std::wstring guidText(REFGUID guid);

}  // namespace zelva::server
