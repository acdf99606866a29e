#include "standin/comhost/ForeignObject.h"

#include "standin/comhost/ComFailures.h"
#include "windows/comvalues/DispatchCall.h"
#include "windows/win32text/WideText.h"

namespace zelva::pinhost {

ForeignObject::ForeignObject(IDispatch* dispatch, const com::ValuePolicy& values)
    : dispatch_(dispatch), values_(values) {}

Variant ForeignObject::invoke(std::string_view name, CallKind kind, std::span<const Arg> args) {
    std::wstring member = win32::widen(name);
    LPOLESTR names[] = {member.data()};
    DISPID id = DISPID_UNKNOWN;
    checkCall(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
    return com::invokeMember(dispatch_.get(), id, kind, args, values_);
}

}  // namespace zelva::pinhost
