#pragma once
// One call of a member of a COM object through IDispatch::Invoke, with the
// exact VARIANT types of the core's arguments: Get and Method are invoked as
// DISPATCH_METHOD|DISPATCH_PROPERTYGET, as late-bound clients do, Put as
// DISPATCH_PROPERTYPUT. By-reference arguments travel VT_BYREF and receive
// what the member left in them, also when it failed.

#include <windows.h>
#include <oaidl.h>

#include <span>

#include "core/automation/Object.h"
#include "windows/comvalues/ValuePolicy.h"

namespace zelva::comvalues {

Variant invokeMember(IDispatch* dispatch, DISPID id, CallKind kind, std::span<const Arg> args,
                     const ValuePolicy& policy);

}  // namespace zelva::comvalues
