#include "standin/comhost/HostDispatch.h"

#include <algorithm>
#include <new>
#include <string_view>

#include "core/automation/Names.h"
#include "standin/comhost/HostFailures.h"
#include "windows/comvalues/ArgumentSlots.h"
#include "windows/comvalues/NameTable.h"
#include "windows/comvalues/VariantValues.h"
#include "windows/win32text/WideText.h"

namespace zelva::comhost {

namespace {

// Answered only by these wrappers, so that an object coming back from the
// component is known as the stand-in's own.
const IID kHostObjectIid = {0x5d2c81a4, 0x3b7e, 0x4f10, {0x9a, 0x61, 0x2e, 0x44, 0xc0, 0x8b, 0x17, 0xd3}};

// The dispatch ids of every wrapper: one table for the process, as a name gets
// the same id from every object of a class, found without regard to case.
class DispatchNames {
public:
    // The id of `name`; DISPID_UNKNOWN once the table is full.
    DISPID idOf(std::wstring_view wide) {
        // The usual all-ASCII name is looked up as it comes, without a copy.
        const uint32_t number = std::all_of(wide.begin(), wide.end(), [](wchar_t c) { return c < 0x80; })
                                    ? table_.numberOf(wide)
                                    : table_.numberOf(std::string_view(win32text::narrow(wide)));
        return number == 0 ? DISPID_UNKNOWN : static_cast<DISPID>(number);
    }

    // The name of `id`, or null for an id never given.
    const std::string* nameOf(DISPID id) {
        const auto* entry = id > 0 ? table_.entry(static_cast<uint32_t>(id)) : nullptr;
        return entry ? &entry->name : nullptr;
    }

private:
    struct FoldedNames {
        static char fold(char c) { return foldNameCase(c); }
        struct Entry {
            explicit Entry(std::string_view n) : name(n) {}
            const std::string name;
        };
    };
    // Far more names than a host's classes and a test's scripts ask.
    comvalues::NameTable<FoldedNames, 4096> table_;
};

// Made on first use and never destroyed: a wrapper may outlive static destruction.
DispatchNames& dispatchNames() {
    static DispatchNames* const names = new DispatchNames;
    return *names;
}

CallKind kindOf(WORD flags) {
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return CallKind::Put;
    return flags & DISPATCH_METHOD ? CallKind::Method : CallKind::Get;
}

}  // namespace

IDispatchEx* HostDispatch::wrap(Ref<Object> object, const comvalues::ValuePolicy& values) {
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

// Any name resolves: whether the object has the member is its own answer
// when called (error 438), as for the host's late-bound objects.
HRESULT HostDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    try {
        ids[0] = dispatchNames().idOf(names[0]);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return count == 1 && ids[0] != DISPID_UNKNOWN ? S_OK : DISP_E_UNKNOWNNAME;  // named arguments: none
}

HRESULT HostDispatch::GetDispID(BSTR name, DWORD, DISPID* id) {
    if (!name || !id) return E_POINTER;
    return GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, id);
}

HRESULT HostDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* exception, UINT* argError) {
    const std::string* member = dispatchNames().nameOf(id);
    if (!member) return DISP_E_MEMBERNOTFOUND;
    if (!params || (params->cArgs && !params->rgvarg)) return E_INVALIDARG;
    const CallKind kind = kindOf(flags);
    const UINT named = kind == CallKind::Put ? 1 : 0;
    if (params->cNamedArgs != named || (named && params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
        return DISP_E_NONAMEDARGS;
    try {
        // Positional arguments arrive last to first; a put's value is the last.
        const UINT count = params->cArgs;
        comvalues::ArgumentSlots<Variant> values(count);
        comvalues::ArgumentSlots<Arg> args(count);
        for (UINT i = 0; i < count; ++i) {
            const VARIANTARG& source = params->rgvarg[count - 1 - i];
            try {
                values[i] = comvalues::valueOf(source, values_);
            } catch (const Error&) {
                if (argError) *argError = count - 1 - i;
                return DISP_E_TYPEMISMATCH;
            }
            args[i] = V_ISBYREF(&source) ? ref(values[i]) : val(values[i]);
        }
        // What the object wrote reaches the caller even when it then failed.
        const auto writeBackWritten = [&] {
            for (UINT i = 0; i < count; ++i)
                if (args[i].written) comvalues::storeThrough(values[i], params->rgvarg[count - 1 - i], values_);
        };
        Variant answer;
        try {
            answer = object_->invoke(*member, kind, {args.data(), count});
        } catch (const Error& e) {
            writeBackWritten();
            return raiseException(e, exception);
        }
        writeBackWritten();
        if (result) {
            comvalues::toVariant(answer, result, values_);
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
    const std::string* member = dispatchNames().nameOf(id);
    if (!member) return DISP_E_UNKNOWNNAME;
    *name = SysAllocString(win32text::widen(*member).c_str());
    return *name ? S_OK : E_OUTOFMEMORY;
}

HRESULT HostDispatch::GetNextDispID(DWORD, DISPID, DISPID*) { return E_NOTIMPL; }

HRESULT HostDispatch::GetNameSpaceParent(IUnknown** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    return E_NOTIMPL;
}

}  // namespace zelva::comhost
