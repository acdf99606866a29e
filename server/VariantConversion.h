#pragma once
// Core automation values as VARIANTs and back: Empty, I2, I4, R8, Bool, Str
// (UTF-8 inside, a BSTR outside) and Object (an IDispatch reference).

#include <windows.h>
#include <oaidl.h>

#include "automation/Variant.h"

namespace zelva::server {

// By-reference VARIANTs are read through; other numeric types become R8; a
// type the core has no value for (Null, arrays, errors) is a type mismatch.
Variant fromComVariant(const VARIANT& v);
// `out` must be empty; it receives its own copy of strings and references.
void toComVariant(const Variant& v, VARIANT* out);

}  // namespace zelva::server
