#include "standin/comhost/ForeignObject.h"

#include "standin/comhost/HostFailures.h"
#include "windows/comvalues/DispatchCall.h"
#include "windows/win32text/WideText.h"

namespace zelva::comhost {

ForeignObject::ForeignObject(IDispatch* dispatch, const comvalues::ValuePolicy& values)
    : dispatch_(dispatch), values_(values) {}

Variant ForeignObject::invoke(std::string_view name, CallKind kind, std::span<const Arg> args) {
    std::wstring member = win32text::widen(name);
    LPOLESTR names[] = {member.data()};
    DISPID id = DISPID_UNKNOWN;
    checkCall(dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
    return comvalues::invokeMember(dispatch_.get(), id, kind, args, values_);
}

}  // namespace zelva::comhost
