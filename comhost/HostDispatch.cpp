#include "comhost/HostDispatch.h"

#include <new>

#include "comhost/ComFailures.h"
#include "comvalues/ArgumentSlots.h"
#include "comvalues/VariantValues.h"
#include "win32text/WideText.h"

namespace zelva::pinhost {

namespace {

// Answered only by these wrappers, so that an object coming back from the
// component is known as the stand-in's own.
const IID kHostObjectIid = {0x5d2c81a4, 0x3b7e, 0x4f10, {0x9a, 0x61, 0x2e, 0x44, 0xc0, 0x8b, 0x17, 0xd3}};

CallKind kindOf(WORD flags) {
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return CallKind::Put;
    return flags & DISPATCH_METHOD ? CallKind::Method : CallKind::Get;
}

}  // namespace

IDispatchEx* HostDispatch::wrap(Ref<Object> object, const com::ValuePolicy& values) {
    return new HostDispatch(std::move(object), values);
}

Ref<Object> HostDispatch::unwrap(IUnknown* dispatch) {
    void* own = nullptr;
    if (!dispatch || FAILED(dispatch->QueryInterface(kHostObjectIid, &own))) return nullptr;
    auto* self = static_cast<HostDispatch*>(static_cast<IDispatchEx*>(own));
    Ref<Object> object = self->object_;
    self->Release();
    return object;
}

HRESULT HostDispatch::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IDispatchEx || iid == kHostObjectIid) {
        *out = static_cast<IDispatchEx*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG HostDispatch::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG HostDispatch::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT HostDispatch::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT HostDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    return DISP_E_BADINDEX;
}

DISPID HostDispatch::dispIdOf(std::wstring_view name) {
    const std::string member = win32::narrow(name);
    for (size_t i = 0; i < names_.size(); ++i)
        if (sameName(names_[i], member)) return static_cast<DISPID>(i + 1);
    names_.push_back(member);
    return static_cast<DISPID>(names_.size());
}

// Any name resolves: whether the object has the member is its own answer
// when called (error 438), as for the host's late-bound objects.
HRESULT HostDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    try {
        ids[0] = dispIdOf(names[0]);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;  // named arguments: none
}

HRESULT HostDispatch::GetDispID(BSTR name, DWORD, DISPID* id) {
    if (!name || !id) return E_POINTER;
    return GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, id);
}

HRESULT HostDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* exception, UINT* argError) {
    if (id < 1 || static_cast<size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
    if (!params || (params->cArgs && !params->rgvarg)) return E_INVALIDARG;
    const CallKind kind = kindOf(flags);
    const UINT named = kind == CallKind::Put ? 1 : 0;
    if (params->cNamedArgs != named || (named && params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
        return DISP_E_NONAMEDARGS;
    try {
        // Positional arguments arrive last to first; a put's value is the last.
        const UINT count = params->cArgs;
        com::ArgumentSlots<Variant> values(count);
        com::ArgumentSlots<Arg> args(count);
        for (UINT i = 0; i < count; ++i) {
            const VARIANTARG& source = params->rgvarg[count - 1 - i];
            try {
                values[i] = com::valueOf(source, values_);
            } catch (const Error&) {
                if (argError) *argError = count - 1 - i;
                return DISP_E_TYPEMISMATCH;
            }
            args[i] = V_ISBYREF(&source) ? ref(values[i]) : val(values[i]);
        }
        // What the object wrote reaches the caller even when it then failed.
        const auto writeBackWritten = [&] {
            for (UINT i = 0; i < count; ++i)
                if (args[i].written) com::storeThrough(values[i], params->rgvarg[count - 1 - i], values_);
        };
        Variant answer;
        try {
            answer = object_->invoke(names_[static_cast<size_t>(id - 1)], kind, {args.data(), count});
        } catch (const Error& e) {
            writeBackWritten();
            return raiseException(e, exception);
        }
        writeBackWritten();
        if (result) {
            com::toVariant(answer, result, values_);
        }
        return S_OK;
    } catch (const Error& e) {
        return raiseException(e, exception);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT HostDispatch::InvokeEx(DISPID id, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO* exception, IServiceProvider*) {
    return Invoke(id, IID_NULL, lcid, flags, params, result, exception, nullptr);
}

HRESULT HostDispatch::DeleteMemberByName(BSTR, DWORD) { return S_FALSE; }
HRESULT HostDispatch::DeleteMemberByDispID(DISPID) { return S_FALSE; }
HRESULT HostDispatch::GetMemberProperties(DISPID, DWORD, DWORD*) { return E_NOTIMPL; }

HRESULT HostDispatch::GetMemberName(DISPID id, BSTR* name) {
    if (!name) return E_POINTER;
    *name = nullptr;
    if (id < 1 || static_cast<size_t>(id) > names_.size()) return DISP_E_UNKNOWNNAME;
    *name = SysAllocString(win32::widen(names_[static_cast<size_t>(id - 1)]).c_str());
    return *name ? S_OK : E_OUTOFMEMORY;
}

HRESULT HostDispatch::GetNextDispID(DWORD, DISPID, DISPID*) { return E_NOTIMPL; }

HRESULT HostDispatch::GetNameSpaceParent(IUnknown** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    return E_NOTIMPL;
}

}  // namespace zelva::pinhost
