#pragma once
// A strict stand-in for a host object reached through IDispatch. It answers
// only the members it is given and journals every call with the VARIANT type
// of each argument ("shape.Components(I4 1)", "variable.Value = R8 2.5"), so a
// test compares the exact calls, in order, with the contract. As a script
// object it resolves names only through IDispatchEx (its GetIDsOfNames answers
// E_NOTIMPL, as Wine's VBScript objects do), in any letter case only when asked
// to with fdexNameCaseInsensitive.

#include <windows.h>
#include <dispex.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ComTestSupport.h"

namespace zelva::wintest {

using Journal = std::vector<std::wstring>;

class FakeDispatch final : public IDispatchEx {
public:
    // Answers a call: the arguments in their declared order; a failure may fill `exception`.
    using Member = std::function<HRESULT(const std::vector<VARIANT>& args, VARIANT* result, EXCEPINFO* exception)>;

    static ComPtr<FakeDispatch> create(std::wstring label, std::shared_ptr<Journal> journal, bool scriptObject = false);

    void answer(const std::wstring& name, Member member);
    // A member whose answer is always a copy of `value`.
    void answerValue(const std::wstring& name, const VARIANT& value);
    // A member whose answer is always `object`.
    void answerObject(const std::wstring& name, IDispatch* object);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argError) override;
    HRESULT STDMETHODCALLTYPE GetDispID(BSTR name, DWORD flags, DISPID* id) override;
    HRESULT STDMETHODCALLTYPE InvokeEx(DISPID id, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                       EXCEPINFO* exception, IServiceProvider*) override;
    HRESULT STDMETHODCALLTYPE DeleteMemberByName(BSTR, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeleteMemberByDispID(DISPID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMemberProperties(DISPID, DWORD, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMemberName(DISPID, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetNextDispID(DWORD, DISPID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetNameSpaceParent(IUnknown**) override { return E_NOTIMPL; }

private:
    FakeDispatch(std::wstring label, std::shared_ptr<Journal> journal, bool scriptObject);
    ~FakeDispatch() = default;

    DISPID find(const std::wstring& name, bool ignoreCase) const;

    LONG refs_ = 1;
    std::wstring label_;
    std::shared_ptr<Journal> journal_;
    bool scriptObject_;
    std::vector<std::pair<std::wstring, Member>> members_;  // a member's DISPID is its index + 1
};

// "I4 1", "R8 2.5", "Str \"M8\"", "Object", "Empty" ...
std::wstring describe(const VARIANT& v);

}  // namespace zelva::wintest
