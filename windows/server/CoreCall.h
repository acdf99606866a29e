#pragma once
// Calls a member of a core object for a vtable member of the server: one
// behaviour serves the vtable and IDispatch alike (IDispatch reaches the
// vtable through the type library).
//
// Each argument is a value or the caller's variable of a by-reference
// parameter. The call checks every pointer (E_POINTER), converts the
// arguments to core values, writes back every by-reference value the member
// wrote (also those written before a failure), and stores the member's
// answer in `result`. Whatever it raises becomes the HRESULT and error
// information of interface `iid`.

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <initializer_list>
#include <span>
#include <variant>

#include "core/automation/Object.h"

namespace zelva::server {

using ComArg = std::variant<Variant, double*, LONG*, VARIANT_BOOL*, BSTR*, IDispatch**>;
// The core member a vtable member stands for, called with the bound arguments.
using CoreMember = std::function<Variant(std::span<const Arg> args)>;

HRESULT callCore(REFIID iid, const CoreMember& member, std::initializer_list<ComArg> args);
HRESULT callCore(REFIID iid, const CoreMember& member, std::initializer_list<ComArg> args, double* result);
HRESULT callCore(REFIID iid, const CoreMember& member, std::initializer_list<ComArg> args, LONG* result);
HRESULT callCore(REFIID iid, const CoreMember& member, std::initializer_list<ComArg> args, VARIANT_BOOL* result);
HRESULT callCore(REFIID iid, const CoreMember& member, std::initializer_list<ComArg> args, BSTR* result);

}  // namespace zelva::server
