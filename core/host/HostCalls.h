#pragma once
// Late-bound helpers for the addressing the component repeats:
// shape.Components(type).Item(1).Variable(n).Value, each argument with the type
// the host contract states (types and variable numbers as 32-bit integers, the
// item number as the 16-bit integer 1).

#include <cstdint>

#include "core/automation/Object.h"

namespace zelva::host {

[[noreturn]] void throwObjectNotSet();

// The object behind a reference; an unset reference is error 91.
template <class T>
T& deref(const Ref<T>& o) {
    if (!o) throwObjectNotSet();
    return *o;
}

Ref<Object> components(Object& owner, int32_t type);  // owner.Components(type)
Ref<Object> firstItem(Object& collection);            // collection.Item(1)
Ref<Object> component(Object& shape, int32_t type);   // shape.Components(type).Item(1)
// The first component of a type, added when the shape has none yet.
Ref<Object> componentOrNew(Object& shape, int32_t type);
int32_t countOf(Object& collection);

Ref<Object> variable(Object& component, int32_t n);               // component.Variable(n)
Ref<Object> variable(Object& component, int32_t kind, int16_t index);  // component.Variable(kind, index)
void setValue(Object& variable, Variant v);                        // variable.Value = v
Variant valueOf(Object& variable);                                 // variable.Value

}  // namespace zelva::host
