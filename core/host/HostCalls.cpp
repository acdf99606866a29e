#include "core/host/HostCalls.h"

#include "core/automation/Error.h"

namespace zelva::host {

void throwObjectNotSet() { throw Error::runtime(err::ObjectNotSet); }

Ref<Object> components(Object& owner, int32_t type) {
    return owner.getObject("Components", {val(Variant::i4(type))});
}

Ref<Object> firstItem(Object& collection) { return collection.callObject("Item", {val(Variant::i2(1))}); }

Ref<Object> component(Object& shape, int32_t type) { return firstItem(deref(components(shape, type))); }

Ref<Object> componentOrNew(Object& shape, int32_t type) {
    if (countOf(deref(components(shape, type))) == 0) return deref(components(shape, type)).callObject("Add");
    return component(shape, type);
}

int32_t countOf(Object& collection) { return toInt32(collection.get("Count")); }

Ref<Object> variable(Object& component, int32_t n) {
    return component.getObject("Variable", {val(Variant::i4(n))});
}

Ref<Object> variable(Object& component, int32_t kind, int16_t index) {
    return component.getObject("Variable", {val(Variant::i4(kind)), val(Variant::i2(index))});
}

void setValue(Object& variable, Variant v) { variable.put("Value", {val(std::move(v))}); }

Variant valueOf(Object& variable) { return variable.get("Value"); }

}  // namespace zelva::host
