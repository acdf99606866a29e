#pragma once
// Automation values between the stand-in host and COM. A sim object crosses
// as a HostDispatch and comes back as itself; any other COM object arrives
// as a ForeignObject and goes back as the same COM object.

#include <windows.h>
#include <oaidl.h>

#include "automation/Variant.h"

namespace zelva::pinhost {

// The value of an argument, read through a by-reference one. A missing
// optional argument is Empty; a type without a core value is type mismatch.
Variant hostValueOf(const VARIANT& v);
// `out` must be empty; it receives its own references.
void toComValue(const Variant& v, VARIANT* out);
// Stores `v` where the by-reference argument `target` points, in the type it
// points at (a VARIANT it points at takes `v`'s own type).
void writeBack(const Variant& v, VARIANTARG& target);

}  // namespace zelva::pinhost
