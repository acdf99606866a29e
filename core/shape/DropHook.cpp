#include "core/shape/DropHook.h"

#include "core/automation/Error.h"
#include "core/automation/NumberRules.h"
#include "core/texts/MessageTexts.h"
#include "core/env/Settings.h"
#include "core/host/HostCalls.h"
#include "core/host/HostCodes.h"

namespace zelva::shape {

using host::deref;

namespace {
double readDouble(Object& o, const char* member, std::initializer_list<Arg> args = {}) {
    return toDouble(o.get(member, args));
}
}  // namespace

Variant DropHook::invoke(std::string_view name, CallKind kind, std::span<const Arg> args) {
    if (!sameName(name, "OnDragDrop") || kind == CallKind::Put) throw Error::runtime(err::MemberNotSupported);
    return onDragDrop(args);
}

Variant DropHook::onDragDrop(std::span<const Arg> args) {
    expectArgCount(args, 1);
    const Variant& hook = argAt(args, 0);
    Ref<Object> object = hook.isEmpty() ? Ref<Object>() : toObject(hook);
    OnDragDrop(object);
    return {};
}

void DropHook::OnDragDrop(Ref<Object>& pDragDropHook) {
    env::Module& m = module_;
    Object& hook = deref(pDragDropHook);
    m.LanguageBase = env::GetLanguageBase(m);
    m.CurrentPage = hook.getObject("Page");
    m.EditMode = kFalse;

    const Variant units = deref(m.CurrentPage).get("UnitsEx", {val(Variant::i4(host::units::LengthKind))});
    if (toInt32(units) != host::units::Millimetres) {
        m.ui.messageBox({texts::MessageText(m.LanguageBase + texts::id::UnitsPrompt),
                         texts::MessageText(m.LanguageBase + texts::id::Title), ui::Icon::None});
        return;
    }
    bool accepted = false;
    if (toInt32(hook.get("HitElementType")) == host::hit::Edge) {
        accepted = toInt32(deref(hook.getObject("HitElement")).get("GeometryType")) == host::geometry::Circle;
    }
    if (accepted) {
        ReadHitEdge(hook);
        m.showModal(m.dialog());
    } else {
        m.showModal(m.dlgInfo());
    }
}

void DropHook::ReadHitEdge(Object& hook) {
    env::Module& m = module_;
    const Ref<Object> elementRef = hook.getObject("HitElement");
    Object& element = deref(elementRef);
    const double x = readDouble(element, "PointX");
    const double y = readDouble(element, "PointY");
    const double z = readDouble(element, "PointZ");
    m.HitPoint = m.hostLibrary.createVector();
    m.HitPoint->setXYZ(x, y, z);

    const auto normal = [&](const char* member) {
        const Variant depth = deref(hook.getObject("ShapePath")).get("Count");
        return readDouble(hook, member, {val(depth)});
    };
    const double nx = normal("HitNormalX");
    const double ny = normal("HitNormalY");
    const double nz = normal("HitNormalZ");
    m.HitDirection = m.hostLibrary.createVector();
    m.HitDirection->setXYZ(nx, ny, nz);
    m.HitDirection->normalize();

    m.CurrentDiameter = checkedDouble(2.0 * readDouble(element, "MajorRadius"));
    m.TargetPart = element.getObject("part", {val(Variant::boolean(false))});
}

}  // namespace zelva::shape
