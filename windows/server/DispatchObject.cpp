#include "DispatchObject.h"

#include <dispex.h>

#include <cguid.h>

#include <optional>
#include <typeinfo>

#include "core/automation/Error.h"
#include "windows/comvalues/Bstr.h"
#include "windows/comvalues/DispatchCall.h"
#include "ComErrors.h"
#include "MemberNames.h"

namespace zelva::server {

const comvalues::ValuePolicy kComponentValues{
    comvalues::Reading::Lenient,
    objectOf,
    [](const Ref<Object>& object) { return dispatchOf(object).detach(); },
    errorOf,
};

DispatchObject::DispatchObject(comvalues::ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {}

DISPID DispatchObject::dispIdOf(std::string_view name) const {
    std::optional<comvalues::Bstr> uncached;
    BSTR text = memberName(name);
    if (!text) text = uncached.emplace(name).get();
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = IDispatch_GetIDsOfNames(dispatch_.get(), IID_NULL, &text, 1, LOCALE_USER_DEFAULT, &id);
    if (SUCCEEDED(hr)) return id;
    // Script objects may resolve names only through IDispatchEx, and in
    // another letter case only there.
    comvalues::ComPtr<IDispatchEx> script;
    if (SUCCEEDED(dispatch_.queryTo(IID_IDispatchEx, script.put())) &&
        SUCCEEDED(IDispatchEx_GetDispID(script.get(), text, fdexNameCaseInsensitive, &id)))
        return id;
    throw errorOf(hr, {});
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
