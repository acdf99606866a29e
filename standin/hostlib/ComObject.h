#pragma once
// The COM plumbing every stand-in host class shares: reference counting,
// QueryInterface, IDispatch through the library's type information, and rich
// error information for failures.

#include <windows.h>
#include <oleauto.h>

#include <new>
#include <string>

#include "IronCADAO.h"
#include "HostModule.h"

namespace zelva::hostlib {

// Fails with `hr` and leaves `description` as the thread's error information, so
// that automation clients see it in the EXCEPINFO of IDispatch::Invoke.
HRESULT fail(HRESULT hr, REFIID iid, const std::wstring& description);

// The text of a by-reference string argument; a null BSTR is the empty string.
inline std::wstring textOf(const BSTR* value) {
    return *value ? std::wstring(*value, SysStringLen(*value)) : std::wstring();
}

// Replaces the string behind `target` with `text`.
HRESULT assignText(BSTR* target, const std::wstring& text);

// After ITypeInfo::Invoke: a member's failure that left error information becomes
// DISP_E_EXCEPTION with that information in `exception`.
HRESULT completeException(HRESULT hr, EXCEPINFO* exception);

// An object with one dual interface `Interface`.
template <class Interface>
class DualObject : public Interface, public ISupportErrorInfo {
public:
    DualObject(const DualObject&) = delete;
    DualObject& operator=(const DualObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(Interface)) {
            *out = static_cast<Interface*>(this);
        } else if (iid == IID_ISupportErrorInfo) {
            *out = static_cast<ISupportErrorInfo*>(this);
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (!info) return E_POINTER;
        *info = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        return typeInfoOf(__uuidof(Interface), info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        ITypeInfo* info;
        HRESULT hr = typeInfoOf(__uuidof(Interface), &info);
        if (SUCCEEDED(hr)) {
            hr = info->GetIDsOfNames(names, count, ids);
            info->Release();
        }
        return hr;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override {
        ITypeInfo* info;
        HRESULT hr = typeInfoOf(__uuidof(Interface), &info);
        if (FAILED(hr)) return hr;
        SetErrorInfo(0, nullptr);
        hr = info->Invoke(static_cast<Interface*>(this), id, flags, params, result, exception,
                          argError);
        info->Release();
        return completeException(hr, exception);
    }

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        return iid == __uuidof(Interface) ? S_OK : S_FALSE;
    }

protected:
    DualObject() { moduleObjectCreated(); }
    virtual ~DualObject() { moduleObjectDestroyed(); }

private:
    LONG refs_ = 1;
};

// Creates a `Class` object and answers it for `iid`.
template <class Class>
HRESULT createObject(REFIID iid, void** out) {
    Class* object = new (std::nothrow) Class();
    if (!object) return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
}

}  // namespace zelva::hostlib

// A vtable slot of the host's interface that the component never calls.
#define ZELVA_UNUSED_SLOT(n) \
    HRESULT STDMETHODCALLTYPE Slot##n() override { return E_NOTIMPL; }
