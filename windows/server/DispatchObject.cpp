#include "DispatchObject.h"

#include <dispex.h>

#include <cguid.h>

#include <typeinfo>

#include "core/automation/Error.h"
#include "windows/comvalues/Bstr.h"
#include "windows/comvalues/DispatchCall.h"
#include "ComErrors.h"

namespace zelva::server {

const comvalues::ValuePolicy kComponentValues{
    comvalues::Reading::Lenient,
    objectOf,
    [](const Ref<Object>& object) { return dispatchOf(object).detach(); },
    errorOf,
};

// Asked once: an object's interfaces stay what they are for its lifetime.
DispatchObject::DispatchObject(comvalues::ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {
    if (FAILED(dispatch_.queryTo(IID_IDispatchEx, dispatchEx_.put()))) dispatchEx_.reset();
}

DISPID DispatchObject::dispIdOf(std::string_view name) const {
    comvalues::Bstr text(name);
    DISPID id = DISPID_UNKNOWN;
    // Script objects may resolve names only through IDispatchEx.
    if (dispatchEx_ && SUCCEEDED(IDispatchEx_GetDispID(dispatchEx_.get(), text.get(), fdexNameCaseInsensitive, &id)))
        return id;
    LPOLESTR names[] = {text.get()};
    const HRESULT hr = IDispatch_GetIDsOfNames(dispatch_.get(), IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) throw errorOf(hr, {});
    return id;
}

Variant DispatchObject::invoke(std::string_view name, CallKind kind, std::span<const Arg> args) {
    return comvalues::invokeMember(dispatch_.get(), dispIdOf(name), kind, args, kComponentValues);
}

Ref<Object> objectOf(IDispatch* dispatch) {
    if (!dispatch) return nullptr;
    return makeRef<DispatchObject>(comvalues::ComPtr<IDispatch>(dispatch));
}

comvalues::ComPtr<IDispatch> dispatchOf(const Ref<Object>& object) {
    if (!object) return nullptr;
    // The class is final: its type alone tells it, without a search of the object's bases.
    if (typeid(*object) != typeid(DispatchObject))
        throw Error::runtime(err::TypeMismatch, "Object cannot be passed to COM");
    return comvalues::ComPtr<IDispatch>(static_cast<const DispatchObject&>(*object).dispatch());
}

}  // namespace zelva::server
