#include "DispatchObject.h"

#include <dispex.h>

#include <cguid.h>

#include "automation/Error.h"
#include "comvalues/Bstr.h"
#include "comvalues/DispatchCall.h"
#include "ComErrors.h"

namespace zelva::server {

const com::ValuePolicy kComponentValues{
    com::Reading::Lenient,
    objectOf,
    [](const Ref<Object>& object) { return dispatchOf(object).detach(); },
    errorOf,
};

DISPID DispatchObject::dispIdOf(std::string_view name) const {
    com::Bstr text(name);
    DISPID id = DISPID_UNKNOWN;
    // Script objects may resolve names only through IDispatchEx.
    com::ComPtr<IDispatchEx> ex;
    if (SUCCEEDED(dispatch_.queryTo(IID_IDispatchEx, ex.put())) &&
        SUCCEEDED(IDispatchEx_GetDispID(ex.get(), text.get(), fdexNameCaseInsensitive, &id)))
        return id;
    LPOLESTR names[] = {text.get()};
    const HRESULT hr = IDispatch_GetIDsOfNames(dispatch_.get(), IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) throw errorOf(hr, {});
    return id;
}

Variant DispatchObject::invoke(std::string_view name, CallKind kind, std::span<const Arg> args) {
    return com::invokeMember(dispatch_.get(), dispIdOf(name), kind, args, kComponentValues);
}

Ref<Object> objectOf(IDispatch* dispatch) {
    if (!dispatch) return nullptr;
    return makeRef<DispatchObject>(com::ComPtr<IDispatch>(dispatch));
}

com::ComPtr<IDispatch> dispatchOf(const Ref<Object>& object) {
    if (!object) return nullptr;
    const auto* fromCom = dynamic_cast<const DispatchObject*>(object.get());
    if (!fromCom) throw Error::runtime(err::TypeMismatch, "Object cannot be passed to COM");
    return com::ComPtr<IDispatch>(fromCom->dispatch());
}

}  // namespace zelva::server
