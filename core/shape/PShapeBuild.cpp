// Geometry construction: a new pin placed at the hit point with its axis along
// the hit normal, and the (re)build of a pin's geometry in its shape.

#include <array>

#include "core/automation/NumberRules.h"
#include "core/shape/ComponentVariables.h"
#include "core/texts/MessageTexts.h"
#include "core/shape/ThreadTexture.h"
#include "core/shape/UnitConversion.h"
#include "core/host/ComponentTypes.h"
#include "core/host/HostCalls.h"
#include "core/host/VariableNumbers.h"
#include "core/shape/ClassIds.h"
#include "core/shape/PShape.h"

namespace zelva::shape {

using namespace host;

namespace {
constexpr int32_t kShapeKind = 5;
constexpr int32_t kClassMarker = 5;  // the host's mark of a shape whose class answers for it
}  // namespace

void PShape::Create(Ref<Object>& parent) {
    env::Module& m = module_;
    const Ref<HostPlacement> placement = m.hostLibrary.createPlacement();
    const Ref<HostVector> axis = m.hostLibrary.createVector();
    axis->setXYZ(0, 0, 1);
    const Ref<HostVector> origin = m.hostLibrary.createVector();
    origin->setXYZ(0, 0, 0);

    const Ref<HostTransform> transform = m.hostLibrary.createTransform();
    transform->setFrames(origin, axis, m.HitPoint, m.HitDirection);
    const std::array<double, 4> r = transform->rotation();
    for (int i = 0; i < 4; ++i) placement->setRotation(i + 1, r[i]);


    HostVector& hit = deref(m.HitPoint);
    placement->setX(hit.x());
    placement->setY(hit.y());
    placement->setZ(hit.z());

    const Ref<Object> shapes =
        deref(component(deref(parent), types::PartShapes)).getObject("Shapes", {val(Variant::i4(kShapeKind))});
    Ref<Object> shape = deref(shapes).callObject("Add");
    Object& s = deref(shape);
    shape::SetComponent5Orientation(s, 0, 0, 0, 0);
    // Read one by one: the host sees the reads in this order.
    double rotation[4];
    for (int i = 0; i < 4; ++i) rotation[i] = placement->rotation(i + 1);
    shape::SetComponent4Orientation(s, rotation[0], rotation[1], rotation[2], rotation[3]);
    shape::SetComponent5Position(s, 0, 0, 0);
    const double x = placement->x();
    const double y = placement->y();
    const double z = placement->z();
    shape::SetComponent4Position(s, x, y, z);
    createInPart(shape);
}

void PShape::createInPart(Ref<Object>& objBoss) {
    BuildPin(objBoss, Diametro(), Lunghezza(), Passo(), roundToInt16(Smusso()));
    StoreShapeClass(objBoss, GetShapeClassId());
    SetPartData(objBoss);
    deref(objBoss).call("Update");
    deref(module_.CurrentPage).call("Update");
}

void PShape::BuildPin(Ref<Object>& objBoss, double d, double l, double p, int16_t sm) {
    env::Module& m = module_;
    Object& boss = deref(objBoss);
    boss.put("Name", {val(Variant::str(texts::MessageText(m.LanguageBase + texts::id::PinName)))});
    shape::SetSizeVariables(boss, d / 2, d / 2, l);

    const Ref<Object> profile = deref(component(boss, types::ProfileOwner)).getObject("Profile");
    const Ref<Object> curves = deref(components(deref(profile), types::CurveSets)).callObject("Add");
    Object& k = deref(curves);
    k.call("SetStartPoint", {val(Variant::i2(0)), val(Variant::i2(0))});
    k.call("AddEllipse", {val(Variant::i2(0)), val(Variant::i2(0)), val(Variant::r8(d / 2))});

    const double w = shape::ConvertUnits7To2(m, d / 2);
    const double h = shape::ConvertUnits7To2(m, l / 2);
    const Ref<Object> body = component(boss, types::Body);
    Object& e = deref(body);
    setValue(deref(variable(e, vars::body::SurfaceMode)), Variant::i4(0));
    setValue(deref(variable(e, vars::body::SurfaceOffset)), Variant::r8(-0.01));

    shape::ApplyThreadTexture(m, boss, {w, w, h}, d, p);

    const Ref<Object> size = component(boss, types::SizeBox);
    setValue(deref(variable(deref(size), vars::size_box::LengthSwitch)), Variant::i2(0));
    setValue(deref(variable(deref(size), vars::size_box::FitMode)), Variant::i4(2));
    boss.call("Update");
    boss.call("ResetSizeBox");

    const Variant half = sm != 0 ? Variant::r8(p / 2.0) : Variant::i2(0);
    setValue(deref(variable(e, vars::body::StartChamfer)), half);
    setValue(deref(variable(e, vars::body::EndChamfer)), half);
}

std::string PShape::GetShapeClassId() {
    return module_.hostLibrary.createClassRegistry()->classIdOf(kPShapeProgId, 0);
}

void PShape::StoreShapeClass(Ref<Object>& objBoss, const std::string& id) {
    Object& boss = deref(objBoss);
    setValue(deref(variable(deref(componentOrNew(boss, types::ClassMarker)), vars::class_marker::Marker)),
             Variant::i4(kClassMarker));
    setValue(deref(variable(deref(componentOrNew(boss, types::ClassRecord)), vars::class_record::ClassId)),
             Variant::str(id));
}

}  // namespace zelva::shape
