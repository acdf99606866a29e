// Self-registration: the type library (with its interfaces, marshalled through
// it) and each class as an in-process server at this DLL's path.

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "IronCADAO.h"
#include "HostModule.h"

using namespace zelva::hostlib;

namespace {

std::wstring classKey(const CLSID& clsid) {
    wchar_t text[39];
    StringFromGUID2(clsid, text, 39);
    return std::wstring(L"CLSID\\") + text;
}

HRESULT setString(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    const LSTATUS status =
        RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    return HRESULT_FROM_WIN32(status);
}

HRESULT registerClass(const HostClass& hostClass, const std::wstring& path) {
    const std::wstring key = classKey(hostClass.clsid);
    const std::wstring server = key + L"\\InprocServer32";
    HRESULT hr = setString(key, nullptr, hostClass.name);
    if (SUCCEEDED(hr)) hr = setString(server, nullptr, path);
    if (SUCCEEDED(hr)) hr = setString(server, L"ThreadingModel", L"Apartment");
    return hr;
}

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    std::wstring path = modulePath();
    ITypeLib* typeLib;
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &typeLib);
    if (FAILED(hr)) return hr;
    hr = RegisterTypeLib(typeLib, path.data(), nullptr);
    typeLib->Release();
    for (const HostClass* c = hostClassesBegin(); SUCCEEDED(hr) && c != hostClassesEnd(); ++c)
        hr = registerClass(*c, path);
    return hr;
}

// Removes every key that registration wrote, going on past a failure so that as
// much as possible is removed; answers the first failure.
extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    HRESULT first = S_OK;
    for (const HostClass* c = hostClassesBegin(); c != hostClassesEnd(); ++c) {
        const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, classKey(c->clsid).c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND && SUCCEEDED(first))
            first = HRESULT_FROM_WIN32(status);
    }
    ITypeLib* typeLib;
    HRESULT hr = LoadTypeLibEx(modulePath().c_str(), REGKIND_NONE, &typeLib);
    if (SUCCEEDED(hr)) {
        TLIBATTR* attr;
        hr = typeLib->GetLibAttr(&attr);
        if (SUCCEEDED(hr)) {
            BSTR registeredPath;
            if (SUCCEEDED(QueryPathOfRegTypeLib(attr->guid, attr->wMajorVerNum, attr->wMinorVerNum,
                                                attr->lcid, &registeredPath))) {
                SysFreeString(registeredPath);
                hr = UnRegisterTypeLib(attr->guid, attr->wMajorVerNum, attr->wMinorVerNum, attr->lcid,
                                       attr->syskind);
            }
            typeLib->ReleaseTLibAttr(attr);
        }
        typeLib->Release();
    }
    return SUCCEEDED(first) ? hr : first;
}
