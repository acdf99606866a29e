#include "env/ComponentVariables.h"

#include <initializer_list>
#include <utility>

#include "host/ComponentTypes.h"
#include "host/HostCalls.h"

namespace zelva::env {

using namespace host;

namespace {

void writeVariables(Object& shape, int32_t type, std::initializer_list<std::pair<int32_t, Variant>> values) {
    const Ref<Object> c = component(shape, type);
    for (const auto& [n, v] : values) setValue(deref(variable(deref(c), n)), v);
}

double sizeVariable(Object& shape, int32_t n) {
    return toDouble(valueOf(deref(variable(deref(component(shape, types::SizeBox)), n))));
}

void setPosition(Object& shape, int32_t type, double x, double y, double z) {
    writeVariables(shape, type, {{1, Variant::r8(x)}, {2, Variant::r8(y)}, {3, Variant::r8(z)}});
}

void setOrientation(Object& shape, int32_t type, double a, double b, double c, double d) {
    writeVariables(shape, type, {{4, Variant::r8(a)}, {5, Variant::r8(b)}, {6, Variant::r8(c)}, {7, Variant::r8(d)}});
}

}  // namespace

void SetSizeVariables(Object& shape, double a, double b, double c) {
    writeVariables(shape, types::SizeBox,
                   {{1, Variant::r8(a)},
                    {2, Variant::r8(b)},
                    {3, Variant::r8(c)},
                    {4, Variant::i2(1)},
                    {5, Variant::i2(1)},
                    {6, Variant::i2(1)},
                    {14, Variant::i4(3)},
                    {7, Variant::i4(1)}});
}

void SetComponent4Position(Object& shape, double x, double y, double z) { setPosition(shape, types::Placement, x, y, z); }
void SetComponent5Position(Object& shape, double x, double y, double z) {
    setPosition(shape, types::PlacementCleared, x, y, z);
}
void SetComponent4Orientation(Object& shape, double a, double b, double c, double d) {
    setOrientation(shape, types::Placement, a, b, c, d);
}
void SetComponent5Orientation(Object& shape, double a, double b, double c, double d) {
    setOrientation(shape, types::PlacementCleared, a, b, c, d);
}

double GetSizeVariable2(Object& shape) { return sizeVariable(shape, 2); }
double GetSizeVariable3(Object& shape) { return sizeVariable(shape, 3); }

void RemoveProfileComponents(Object& shape) {
    const Ref<Object> profile = deref(component(shape, types::ProfileOwner)).getObject("Profile");
    Object& p = deref(profile);
    if (countOf(deref(components(p, types::CurveSets))) <= 0) return;
    const int16_t n = toInt16(deref(components(p, types::CurveSets)).get("Count"));
    for (int16_t i = 1; i <= n; ++i) {
        const Ref<Object> first = firstItem(deref(components(p, types::CurveSets)));
        deref(components(p, types::CurveSets)).call("Remove", {val(Variant::object(first))});
    }
}

}  // namespace zelva::env
