#pragma once
// The stand-in host's automation objects as real COM objects: one generic
// IDispatchEx over any sim Object. Names get dispatch ids from one table of
// the process (resolved without regard to case, as automation does),
// arguments reach the object with their exact types, by-reference arguments
// receive what the object wrote, and the object's Errors return as
// DISP_E_EXCEPTION with their description and HRESULT.

#include <windows.h>
#include <dispex.h>

#include "core/automation/Object.h"
#include "windows/comvalues/ValuePolicy.h"

namespace zelva::comhost {

class HostDispatch final : public IDispatchEx {
public:
    // A new wrapper with one reference, owned by the caller; `values` says
    // how it reads its arguments and passes its answers.
    static IDispatchEx* wrap(Ref<Object> object, const comvalues::ValuePolicy& values);
    // The sim object behind `dispatch` when it is one of these wrappers, else null.
    static Ref<Object> unwrap(IUnknown* dispatch);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argError) override;

    HRESULT STDMETHODCALLTYPE GetDispID(BSTR name, DWORD, DISPID* id) override;
    HRESULT STDMETHODCALLTYPE InvokeEx(DISPID id, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                       EXCEPINFO* exception, IServiceProvider*) override;
    HRESULT STDMETHODCALLTYPE DeleteMemberByName(BSTR, DWORD) override;
    HRESULT STDMETHODCALLTYPE DeleteMemberByDispID(DISPID) override;
    HRESULT STDMETHODCALLTYPE GetMemberProperties(DISPID, DWORD, DWORD*) override;
    HRESULT STDMETHODCALLTYPE GetMemberName(DISPID id, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetNextDispID(DWORD, DISPID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE GetNameSpaceParent(IUnknown** parent) override;

private:
    HostDispatch(Ref<Object> object, const comvalues::ValuePolicy& values) : object_(std::move(object)), values_(values) {}

    LONG refs_ = 1;
    Ref<Object> object_;
    const comvalues::ValuePolicy& values_;
};

}  // namespace zelva::comhost
