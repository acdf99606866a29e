#include "core/shape/ComponentVariables.h"

#include <initializer_list>
#include <utility>

#include "core/host/ComponentTypes.h"
#include "core/host/HostCalls.h"
#include "core/host/VariableNumbers.h"

namespace zelva::shape {

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
    using namespace vars::placement;
    writeVariables(shape, type, {{X, Variant::r8(x)}, {Y, Variant::r8(y)}, {Z, Variant::r8(z)}});
}

void setOrientation(Object& shape, int32_t type, double a, double b, double c, double d) {
    using namespace vars::placement;
    writeVariables(shape, type,
                   {{Rotation1, Variant::r8(a)},
                    {Rotation2, Variant::r8(b)},
                    {Rotation3, Variant::r8(c)},
                    {Rotation4, Variant::r8(d)}});
}

}  // namespace

void SetSizeVariables(Object& shape, double width, double depth, double length) {
    using namespace vars::size_box;
    writeVariables(shape, types::SizeBox,
                   {{Width, Variant::r8(width)},
                    {Depth, Variant::r8(depth)},
                    {Length, Variant::r8(length)},
                    {WidthSwitch, Variant::i2(1)},
                    {DepthSwitch, Variant::i2(1)},
                    {LengthSwitch, Variant::i2(1)},
                    {FitMode, Variant::i4(3)},
                    {Anchor, Variant::i4(1)}});
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

double GetSizeVariable2(Object& shape) { return sizeVariable(shape, vars::size_box::Depth); }
double GetSizeVariable3(Object& shape) { return sizeVariable(shape, vars::size_box::Length); }

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

}  // namespace zelva::shape
