#include "env/ComponentVariables.h"

#include <initializer_list>
#include <utility>

#include "host/HostCalls.h"

namespace zelva::env {

using namespace host;

namespace {

constexpr int32_t kSizeBox = 1;
constexpr int32_t kPlacement = 4;
constexpr int32_t kPlacementCleared = 5;
constexpr int32_t kProfileOwner = 15;
constexpr int32_t kCurveSets = 3;

void writeVariables(Object& shape, int32_t type, std::initializer_list<std::pair<int32_t, Variant>> values) {
    const Ref<Object> c = component(shape, type);
    for (const auto& [n, v] : values) setValue(deref(variable(deref(c), n)), v);
}

double sizeVariable(Object& shape, int32_t n) {
    return toDouble(valueOf(deref(variable(deref(component(shape, kSizeBox)), n))));
}

void setPosition(Object& shape, int32_t type, double x, double y, double z) {
    writeVariables(shape, type, {{1, Variant::r8(x)}, {2, Variant::r8(y)}, {3, Variant::r8(z)}});
}

void setOrientation(Object& shape, int32_t type, double a, double b, double c, double d) {
    writeVariables(shape, type, {{4, Variant::r8(a)}, {5, Variant::r8(b)}, {6, Variant::r8(c)}, {7, Variant::r8(d)}});
}

}  // namespace

void SetSizeVariables(Object& shape, double a, double b, double c) {
    writeVariables(shape, kSizeBox,
                   {{1, Variant::r8(a)},
                    {2, Variant::r8(b)},
                    {3, Variant::r8(c)},
                    {4, Variant::i2(1)},
                    {5, Variant::i2(1)},
                    {6, Variant::i2(1)},
                    {14, Variant::i4(3)},
                    {7, Variant::i4(1)}});
}

void SetComponent4Position(Object& shape, double x, double y, double z) { setPosition(shape, kPlacement, x, y, z); }
void SetComponent5Position(Object& shape, double x, double y, double z) {
    setPosition(shape, kPlacementCleared, x, y, z);
}
void SetComponent4Orientation(Object& shape, double a, double b, double c, double d) {
    setOrientation(shape, kPlacement, a, b, c, d);
}
void SetComponent5Orientation(Object& shape, double a, double b, double c, double d) {
    setOrientation(shape, kPlacementCleared, a, b, c, d);
}

double GetSizeVariable2(Object& shape) { return sizeVariable(shape, 2); }
double GetSizeVariable3(Object& shape) { return sizeVariable(shape, 3); }

void RemoveProfileComponents(Object& shape) {
    const Ref<Object> profile = deref(component(shape, kProfileOwner)).getObject("Profile");
    Object& p = deref(profile);
    if (countOf(deref(components(p, kCurveSets))) <= 0) return;
    const int16_t n = toInt16(deref(components(p, kCurveSets)).get("Count"));
    for (int16_t i = 1; i <= n; ++i) {
        const Ref<Object> first = firstItem(deref(components(p, kCurveSets)));
        deref(components(p, kCurveSets)).call("Remove", {val(Variant::object(first))});
    }
}

}  // namespace zelva::env
