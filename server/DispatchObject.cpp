#include "DispatchObject.h"

#include <dispex.h>

#include <cguid.h>
#include <vector>

#include "automation/Error.h"
#include "Bstr.h"
#include "ComErrors.h"
#include "ComVariant.h"
#include "VariantConversion.h"

namespace zelva::server {

DISPID DispatchObject::dispIdOf(std::string_view name) const {
    Bstr text(name);
    DISPID id = DISPID_UNKNOWN;
    // Script objects may resolve names only through IDispatchEx.
    ComPtr<IDispatchEx> ex;
    if (SUCCEEDED(dispatch_.queryTo(IID_IDispatchEx, ex.put())) &&
        SUCCEEDED(IDispatchEx_GetDispID(ex.get(), text.get(), fdexNameCaseInsensitive, &id)))
        return id;
    LPOLESTR names[] = {text.get()};
    const HRESULT hr = IDispatch_GetIDsOfNames(dispatch_.get(), IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) throw errorOf(hr, L"");
    return id;
}

Variant DispatchObject::invoke(std::string_view name, CallKind kind, std::span<const Arg> args) {
    const DISPID id = dispIdOf(name);
    const size_t count = args.size();
    std::vector<ComVariant> values(count);  // the arguments' values, and what by-reference ones receive
    std::vector<VARIANTARG> passed(count);  // positional arguments travel last to first
    for (size_t i = 0; i < count; ++i) {
        toComVariant(args[i].get(), values[i].put());
        VARIANTARG& arg = passed[count - 1 - i];
        if (!args[i].ref) {
            arg = values[i].get();
        } else if (V_VT(values[i].ptr()) == VT_EMPTY) {
            V_VT(&arg) = VT_VARIANT | VT_BYREF;
            V_VARIANTREF(&arg) = values[i].ptr();
        } else {
            V_VT(&arg) = V_VT(values[i].ptr()) | VT_BYREF;
            // Every member of a VARIANT's value union starts at the same address.
            V_BYREF(&arg) = &V_I4(values[i].ptr());
        }
    }
    DISPID putId = DISPID_PROPERTYPUT;
    const bool put = kind == CallKind::Put;
    DISPPARAMS params{passed.data(), put ? &putId : nullptr, static_cast<UINT>(count), put ? 1u : 0u};
    ComVariant result;
    EXCEPINFO exception{};
    UINT argError = 0;
    const HRESULT hr =
        IDispatch_Invoke(dispatch_.get(), id, IID_NULL, LOCALE_USER_DEFAULT,
                         put ? DISPATCH_PROPERTYPUT : DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                         put ? nullptr : result.ptr(), &exception, &argError);
    for (size_t i = 0; i < count; ++i)
        if (args[i].ref) args[i].set(fromComVariant(values[i].get()));
    if (FAILED(hr)) throw invokeError(hr, exception);
    return fromComVariant(result.get());
}

Ref<Object> objectOf(IDispatch* dispatch) {
    if (!dispatch) return nullptr;
    return makeRef<DispatchObject>(ComPtr<IDispatch>(dispatch));
}

ComPtr<IDispatch> dispatchOf(const Ref<Object>& object) {
    if (!object) return nullptr;
    const auto* fromCom = dynamic_cast<const DispatchObject*>(object.get());
    if (!fromCom) throw Error::runtime(err::TypeMismatch, "Object cannot be passed to COM");
    return ComPtr<IDispatch>(fromCom->dispatch());
}

}  // namespace zelva::server
