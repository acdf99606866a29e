#include "FakeDispatch.h"

#include <iterator>
#include <sstream>

namespace zelva::wintest {

std::wstring describe(const VARIANT& v) {
    std::wostringstream text;
    switch (V_VT(&v)) {
        case VT_EMPTY: return L"Empty";
        case VT_I2: text << L"I2 " << V_I2(&v); break;
        case VT_I4: text << L"I4 " << V_I4(&v); break;
        case VT_R8: text << L"R8 " << V_R8(&v); break;
        case VT_BOOL: text << L"Bool " << V_BOOL(&v); break;
        case VT_BSTR: text << L"Str \"" << std::wstring(V_BSTR(&v), SysStringLen(V_BSTR(&v))) << L"\""; break;
        case VT_DISPATCH: return V_DISPATCH(&v) ? L"Object" : L"Nothing";
        default: text << L"VT " << V_VT(&v); break;
    }
    return text.str();
}

FakeDispatch::FakeDispatch(std::wstring label, std::shared_ptr<Journal> journal, bool scriptObject)
    : label_(std::move(label)), journal_(std::move(journal)), scriptObject_(scriptObject) {}

ComPtr<FakeDispatch> FakeDispatch::create(std::wstring label, std::shared_ptr<Journal> journal, bool scriptObject) {
    ComPtr<FakeDispatch> object;
    *object.put() = new FakeDispatch(std::move(label), std::move(journal), scriptObject);
    return object;
}

void FakeDispatch::answer(const std::wstring& name, Member member) { members_.emplace_back(name, std::move(member)); }

void FakeDispatch::answerValue(const std::wstring& name, const VARIANT& value) {
    auto copy = std::make_shared<VARIANT>();
    VariantInit(copy.get());
    VariantCopy(copy.get(), const_cast<VARIANT*>(&value));
    answer(name, [copy](const std::vector<VARIANT>&, VARIANT* result, EXCEPINFO*) {
        return result ? VariantCopy(result, copy.get()) : S_OK;
    });
}

void FakeDispatch::answerObject(const std::wstring& name, IDispatch* object) {
    object->AddRef();
    auto held = std::shared_ptr<IDispatch>(object, [](IDispatch* o) { o->Release(); });
    answer(name, [held](const std::vector<VARIANT>&, VARIANT* result, EXCEPINFO*) {
        if (!result) return S_OK;
        held->AddRef();
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = held.get();
        return S_OK;
    });
}

HRESULT FakeDispatch::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || (scriptObject_ && iid == IID_IDispatchEx)) {
        *out = static_cast<IDispatchEx*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG FakeDispatch::AddRef() { return InterlockedIncrement(&refs_); }

ULONG FakeDispatch::Release() {
    const ULONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
}

HRESULT FakeDispatch::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT FakeDispatch::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

DISPID FakeDispatch::find(const std::wstring& name, bool ignoreCase) const {
    for (size_t i = 0; i < members_.size(); ++i) {
        const bool same = ignoreCase ? CompareStringOrdinal(name.c_str(), -1, members_[i].first.c_str(), -1, TRUE) ==
                                           CSTR_EQUAL
                                     : name == members_[i].first;
        if (same) return static_cast<DISPID>(i + 1);
    }
    return DISPID_UNKNOWN;
}

HRESULT FakeDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (scriptObject_) return E_NOTIMPL;
    if (count != 1) return E_INVALIDARG;
    *ids = find(names[0], true);
    return *ids == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT FakeDispatch::GetDispID(BSTR name, DWORD flags, DISPID* id) {
    *id = find(std::wstring(name, SysStringLen(name)), (flags & fdexNameCaseInsensitive) != 0);
    return *id == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT FakeDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* exception, UINT*) {
    if (id < 1 || static_cast<size_t>(id) > members_.size()) return DISP_E_MEMBERNOTFOUND;
    const auto& [name, member] = members_[static_cast<size_t>(id - 1)];
    const std::vector<VARIANT> args(std::make_reverse_iterator(params->rgvarg + params->cArgs),
                                    std::make_reverse_iterator(params->rgvarg));
    std::wstring call = label_ + L"." + name;
    if (flags == DISPATCH_PROPERTYPUT) {
        call += L" = " + (args.empty() ? L"?" : describe(args.back()));
    } else {
        if (flags != (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) call += L" [flags " + std::to_wstring(flags) + L"]";
        call += L"(";
        for (size_t i = 0; i < args.size(); ++i) call += (i ? L", " : L"") + describe(args[i]);
        call += L")";
    }
    journal_->push_back(call);
    return member(args, result, exception);
}

HRESULT FakeDispatch::InvokeEx(DISPID id, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO* exception, IServiceProvider*) {
    return Invoke(id, IID_NULL, lcid, flags, params, result, exception, nullptr);
}

}  // namespace zelva::wintest
