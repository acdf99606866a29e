#include "RegistryLayout.h"

#include <cwchar>

#include "ComPtr.h"
#include "ServerClasses.h"
#include "win32text/WideText.h"

namespace zelva::server {

namespace {

// The proxy and stub of an automation interface: the type-library marshaller.
const wchar_t* const kTypeLibraryMarshaller = L"{00020424-0000-0000-C000-000000000046}";

std::wstring hex(unsigned value) {
    wchar_t text[16];
    swprintf(text, 16, L"%x", value);
    return text;
}

std::wstring versionOf(const TLIBATTR& attr) { return hex(attr.wMajorVerNum) + L"." + hex(attr.wMinorVerNum); }

std::wstring folderOf(const std::wstring& path) {
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

void addTypeLibrary(const TLIBATTR& attr, const std::wstring& name, const std::wstring& path, RegistryLayout& layout) {
    const std::wstring library = L"TypeLib\\" + guidText(attr.guid);
    const std::wstring version = library + L"\\" + versionOf(attr);
    layout.values.push_back({version, L"", name});
    // The path under the neutral locale, where the type-library marshaller looks,
    // and under the library's own.
    const auto pathUnder = [&](LCID locale) {
        layout.values.push_back({version + L"\\" + hex(locale) + L"\\win32", L"", path});
    };
    pathUnder(LOCALE_NEUTRAL);
    if (attr.lcid != LOCALE_NEUTRAL) pathUnder(attr.lcid);
    // That the library was loaded from a file is no flag of the library itself.
    layout.values.push_back({version + L"\\FLAGS", L"", std::to_wstring(attr.wLibFlags & ~LIBFLAG_FHASDISKIMAGE)});
    layout.values.push_back({version + L"\\HELPDIR", L"", folderOf(path)});
    layout.keys.push_back(library);
}

// The dual and automation interfaces of the library, which marshal through it.
HRESULT addInterfaces(ITypeLib* library, const TLIBATTR& libraryAttr, RegistryLayout& layout) {
    for (UINT i = 0, count = ITypeLib_GetTypeInfoCount(library); i < count; ++i) {
        ComPtr<ITypeInfo> info;
        HRESULT hr = ITypeLib_GetTypeInfo(library, i, info.put());
        TYPEATTR* attr = nullptr;
        if (SUCCEEDED(hr)) hr = ITypeInfo_GetTypeAttr(info.get(), &attr);
        if (FAILED(hr)) return hr;
        const bool marshalled = attr->typekind == TKIND_DISPATCH ||
                                (attr->typekind == TKIND_INTERFACE && (attr->wTypeFlags & TYPEFLAG_FOLEAUTOMATION));
        const IID iid = attr->guid;
        ITypeInfo_ReleaseTypeAttr(info.get(), attr);
        if (!marshalled) continue;
        BSTR name = nullptr;
        hr = ITypeLib_GetDocumentation(library, i, &name, nullptr, nullptr, nullptr);
        if (FAILED(hr)) return hr;
        const std::wstring key = L"Interface\\" + guidText(iid);
        layout.values.push_back({key, L"", name ? name : L""});
        SysFreeString(name);
        layout.values.push_back({key + L"\\ProxyStubClsid", L"", kTypeLibraryMarshaller});
        layout.values.push_back({key + L"\\ProxyStubClsid32", L"", kTypeLibraryMarshaller});
        layout.values.push_back({key + L"\\TypeLib", L"", guidText(libraryAttr.guid)});
        layout.values.push_back({key + L"\\TypeLib", L"Version", versionOf(libraryAttr)});
        layout.keys.push_back(key);
    }
    return S_OK;
}

void addClasses(REFGUID libid, const std::wstring& path, RegistryLayout& layout) {
    for (const ServerClass& c : serverClasses()) {
        const std::wstring key = L"CLSID\\" + guidText(c.clsid);
        const std::wstring progId = win32::widen(c.progId);
        layout.values.insert(layout.values.end(), {
            {key, L"", progId},
            {key + L"\\InprocServer32", L"", path},
            {key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
            {key + L"\\ProgID", L"", progId},
            {key + L"\\TypeLib", L"", guidText(libid)},
            {progId, L"", progId},
            {progId + L"\\CLSID", L"", guidText(c.clsid)},
        });
        layout.keys.push_back(key);
        layout.keys.push_back(progId);
    }
}

}  // namespace

std::wstring guidText(REFGUID guid) {
    wchar_t text[39];
    StringFromGUID2(guid, text, 39);
    return text;
}

HRESULT registryLayout(ITypeLib* library, const std::wstring& path, RegistryLayout& layout) {
    layout = RegistryLayout{};
    TLIBATTR* attr;
    HRESULT hr = ITypeLib_GetLibAttr(library, &attr);
    if (FAILED(hr)) return hr;
    const TLIBATTR libraryAttr = *attr;
    ITypeLib_ReleaseTLibAttr(library, attr);
    BSTR name = nullptr;
    hr = ITypeLib_GetDocumentation(library, -1, &name, nullptr, nullptr, nullptr);
    if (FAILED(hr)) return hr;
    addTypeLibrary(libraryAttr, name ? name : L"", path, layout);
    SysFreeString(name);
    hr = addInterfaces(library, libraryAttr, layout);
    if (SUCCEEDED(hr)) addClasses(libraryAttr.guid, path, layout);
    return hr;
}

}  // namespace zelva::server
