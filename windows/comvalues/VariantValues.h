#pragma once
// Core automation values as VARIANTs and back: Empty, I2, I4, R8, Bool, Str
// (UTF-8 inside, a BSTR outside) and Object (an IDispatch reference).

#include <windows.h>
#include <oaidl.h>

#include "core/automation/Variant.h"
#include "windows/comvalues/ValuePolicy.h"

namespace zelva::comvalues {

// The value of `v`, read through a by-reference one; a type without a core
// value (Null, arrays, errors) is a type mismatch, unless `policy` reads it.
Variant valueOf(const VARIANT& v, const ValuePolicy& policy);
// `out` must be empty; it receives its own copy of strings and references.
void toVariant(const Variant& v, VARIANT* out, const ValuePolicy& policy);
// Stores `v` where the by-reference argument `target` points, in the type it
// points at (a VARIANT it points at takes `v`'s own type).
void storeThrough(const Variant& v, VARIANTARG& target, const ValuePolicy& policy);

}  // namespace zelva::comvalues
