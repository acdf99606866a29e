#pragma once
// Helpers for the tests of the registered Zelvacorin.dll: reference counts
// checked at the caller's line, objects created through COM, owning VARIANTs,
// and IDispatch calls by member name.

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IronCADAO.h"
#include "Zelvacorin.h"
#include "ComTestSupport.h"

namespace zelva::wintest {

// What an out pointer is preset to, to tell whether a call wrote it.
inline void* const Sentinel = reinterpret_cast<void*>(0xdeadbeef);
constexpr double UnwrittenDouble = -4242.5;
constexpr VARIANT_BOOL UnwrittenBool = 0x5a5a;

inline ULONG refCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

inline void expectRefs(const char* file, int line, IUnknown* object, ULONG expected) {
    const ULONG actual = refCount(object);
    if (actual != expected) ADD_FAILURE_AT(file, line) << "reference count " << actual << ", expected " << expected;
}
#define EXPECT_REFS(object, expected) ::zelva::wintest::expectRefs(__FILE__, __LINE__, object, expected)

template <class Interface>
ComPtr<Interface> createObject(REFCLSID clsid) {
    ComPtr<Interface> object;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Interface), object.putVoid()), S_OK);
    return object;
}

class Var {
public:
    Var() { VariantInit(&v_); }
    Var(const Var&) = delete;
    Var& operator=(const Var&) = delete;
    ~Var() { VariantClear(&v_); }

    static VARIANT r8(double v) { return make(VT_R8, [&](VARIANT& x) { V_R8(&x) = v; }); }
    static VARIANT i2(SHORT v) { return make(VT_I2, [&](VARIANT& x) { V_I2(&x) = v; }); }
    static VARIANT i4(LONG v) { return make(VT_I4, [&](VARIANT& x) { V_I4(&x) = v; }); }
    static VARIANT boolean(bool v) {
        return make(VT_BOOL, [&](VARIANT& x) { V_BOOL(&x) = v ? VARIANT_TRUE : VARIANT_FALSE; });
    }
    // The caller frees the string, or hands the VARIANT to a Var.
    static VARIANT str(const wchar_t* v) { return make(VT_BSTR, [&](VARIANT& x) { V_BSTR(&x) = SysAllocString(v); }); }
    // With a reference of its own.
    static VARIANT dispatch(IDispatch* v) {
        if (v) v->AddRef();
        return make(VT_DISPATCH, [&](VARIANT& x) { V_DISPATCH(&x) = v; });
    }
    // A variable passed by reference, as script clients pass theirs.
    static VARIANT byRef(Var& variable) {
        return make(VT_VARIANT | VT_BYREF, [&](VARIANT& x) { V_VARIANTREF(&x) = &variable.v_; });
    }

    VARIANT* put() {
        VariantClear(&v_);
        return &v_;
    }
    VARIANT& get() { return v_; }
    VARTYPE type() const { return V_VT(&v_); }
    double r8() const { return V_R8(&v_); }
    LONG i4() const { return V_I4(&v_); }
    VARIANT_BOOL boolean() const { return V_BOOL(&v_); }
    std::wstring text() const { return std::wstring(V_BSTR(&v_), SysStringLen(V_BSTR(&v_))); }

private:
    template <class Fill>
    static VARIANT make(VARTYPE type, Fill fill) {
        VARIANT x;
        VariantInit(&x);
        V_VT(&x) = type;
        fill(x);
        return x;
    }

    VARIANT v_;
};

// The outcome of one IDispatch::Invoke.
struct Invocation {
    Invocation() = default;
    Invocation(const Invocation&) = delete;
    ~Invocation() {
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
    }

    std::wstring description() const {
        return exception.bstrDescription ? exception.bstrDescription : L"<none>";
    }

    HRESULT hr = E_FAIL;
    Var result;
    EXCEPINFO exception{};
    UINT argError = 0xbad;
};

inline DISPID dispIdOf(IDispatch* object, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << "name " << name;
    return id;
}

// Invokes member `id` with `args` in their declared order; frees what they own.
inline void invoke(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT> args, Invocation& out) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    const bool put = flags == DISPATCH_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), put ? &putId : nullptr, static_cast<UINT>(reversed.size()), put ? 1u : 0u};
    out.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, put ? nullptr : out.result.put(),
                            &out.exception, &out.argError);
    for (VARIANT& arg : args) VariantClear(&arg);
}

inline void invoke(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> args, Invocation& out) {
    invoke(object, dispIdOf(object, name), flags, std::move(args), out);
}

// The description the last failing vtable member left.
inline std::wstring errorDescription() {
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.put()) != S_OK) return L"<none>";
    Bstr text;
    info->GetDescription(text.put());
    return text.text();
}

}  // namespace zelva::wintest
