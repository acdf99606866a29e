// Self-registration, for the DLL at its own path: the type library (which also
// registers the two dual interfaces, marshalled through it) and, for each
// class, its class identifier as an apartment-threaded in-process server and
// its ProgID pointing back to it. A registration that fails part way removes
// what it wrote and answers the failure.

#include <windows.h>
#include <oleauto.h>

#include <cguid.h>
#include <string>
#include <utility>

#include "Zelvacorin.h"
#include "ComErrors.h"
#include "ComPtr.h"
#include "ServerClasses.h"
#include "ServerModule.h"
#include "win32text/WideText.h"

using namespace zelva::server;

namespace {

std::wstring guidText(REFGUID guid) {
    wchar_t text[39];
    StringFromGUID2(guid, text, 39);
    return text;
}

std::wstring classKey(const ServerClass& c) { return L"CLSID\\" + guidText(c.clsid); }

HRESULT setString(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    const LSTATUS status = RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    return HRESULT_FROM_WIN32(status);
}

HRESULT deleteTree(const std::wstring& key) {
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

HRESULT registerClass(const ServerClass& c, const std::wstring& path) {
    const std::wstring key = classKey(c);
    const std::wstring progId = zelva::win32::widen(c.progId);
    const std::pair<std::wstring, std::wstring> values[] = {
        {key, progId},
        {key + L"\\InprocServer32", path},
        {key + L"\\ProgID", progId},
        {key + L"\\TypeLib", guidText(LIBID_Zelvacorin)},
        {progId, progId},
        {progId + L"\\CLSID", guidText(c.clsid)},
    };
    HRESULT hr = S_OK;
    for (const auto& [subkey, value] : values)
        if (SUCCEEDED(hr)) hr = setString(subkey, nullptr, value);
    if (SUCCEEDED(hr)) hr = setString(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    return hr;
}

HRESULT unregisterClass(const ServerClass& c) {
    const HRESULT hr = deleteTree(classKey(c));
    const HRESULT progIdHr = deleteTree(zelva::win32::widen(c.progId));
    return FAILED(hr) ? hr : progIdHr;
}

// Removes the library's registration, when it is registered; the interfaces of
// the libraries it imports stay as they are.
HRESULT unregisterTypeLibrary() {
    ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(modulePath().c_str(), REGKIND_NONE, library.put());
    if (FAILED(hr)) return hr;
    TLIBATTR* attr;
    hr = ITypeLib_GetLibAttr(library.get(), &attr);
    if (FAILED(hr)) return hr;
    BSTR registered = nullptr;
    if (SUCCEEDED(QueryPathOfRegTypeLib(attr->guid, attr->wMajorVerNum, attr->wMinorVerNum, attr->lcid, &registered))) {
        SysFreeString(registered);
        hr = UnRegisterTypeLib(attr->guid, attr->wMajorVerNum, attr->wMinorVerNum, attr->lcid, attr->syskind);
    }
    ITypeLib_ReleaseTLibAttr(library.get(), attr);
    return hr;
}

// Removes everything registration writes, going on past a failure; answers the first.
HRESULT unregisterAll() {
    HRESULT first = S_OK;
    for (const ServerClass& c : serverClasses()) {
        const HRESULT hr = unregisterClass(c);
        if (SUCCEEDED(first)) first = hr;
    }
    const HRESULT hr = unregisterTypeLibrary();
    return FAILED(first) ? first : hr;
}

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return guarded(IID_NULL, [] {
        std::wstring path = modulePath();
        ComPtr<ITypeLib> library;
        HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put());
        if (FAILED(hr)) return hr;
        hr = RegisterTypeLib(library.get(), path.data(), nullptr);
        for (const ServerClass& c : serverClasses())
            if (SUCCEEDED(hr)) hr = registerClass(c, path);
        if (FAILED(hr)) unregisterAll();
        return hr;
    });
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return guarded(IID_NULL, [] { return unregisterAll(); });
}
