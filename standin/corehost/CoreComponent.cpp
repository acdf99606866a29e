#include "standin/corehost/CoreComponent.h"

#include "standin/corehost/ModelSnapshot.h"
#include "core/shape/DropHook.h"
#include "core/shape/PShape.h"

namespace zelva::pinhost {

std::unique_ptr<LoadedComponent> loadComponent(const std::filesystem::path& installDir) {
    return std::make_unique<corehost::CoreComponent>(installDir);
}

}  // namespace zelva::pinhost

namespace zelva::corehost {

CoreComponent::CoreComponent(const std::filesystem::path& installDir) : session_(installDir) {
    session_.ui.setObserver(this);
}

void CoreComponent::setRegistryValue(const std::string& key, const std::string& name, const std::string& value) {
    session_.host.registry().set(key, name, value);
}

void CoreComponent::setHostSetting(const std::string& section, const std::string& key, const std::string& value) {
    session_.host.settings().set(section, key, value);
}

void CoreComponent::setScreen(int32_t width, int32_t height) { session_.ui.setScreen({0, 0, width, height}); }

template <class Call>
void CoreComponent::withUser(const ui::UserScript& answers, pinhost::UserEvents& seen, Call call) {
    session_.ui.answerNextForm(answers);
    seen_ = &seen;
    try {
        call();
    } catch (...) {
        session_.ui.discardAnswers();
        seen_ = nullptr;
        throw;
    }
    session_.ui.discardAnswers();
    seen_ = nullptr;
}

void CoreComponent::drop(const Ref<Object>& hook, const ui::UserScript& answers, pinhost::UserEvents& seen) {
    withUser(answers, seen, [&] {
        Variant hookArg = Variant::object(hook);
        makeRef<shape::DropHook>(session_.module)->call("OnDragDrop", {ref(hookArg)});
    });
}

void CoreComponent::doubleClick(const std::shared_ptr<sim::doc::Shape>& pin, const ui::UserScript& answers,
                                pinhost::UserEvents& seen) {
    withUser(answers, seen, [&] { session_.host.doubleClick(pin); });
}

pinhost::PinProjection CoreComponent::project(const Ref<Object>& shape) {
    const Ref<shape::PShape> view = makeRef<shape::PShape>(session_.module);
    Variant target = Variant::object(shape);
    std::vector<Variant> v(8, Variant::r8(0));
    Variant isHole = Variant::boolean(false), taper = Variant::boolean(false);
    std::vector<Arg> args{ref(target)};
    for (auto& x : v) args.push_back(ref(x));
    args.push_back(ref(isHole));
    args.push_back(ref(taper));
    pinhost::PinProjection out;
    out.result = toBool(view->invoke("IC2DProjectedThreads_GetProjectedThreadInformation", CallKind::Method, args));
    out.inner = toDouble(v[0]);
    out.outer = toDouble(v[1]);
    out.taperAngle = toDouble(v[2]);
    out.length = toDouble(v[3]);
    out.offset = toDouble(v[4]);
    out.direction = {toDouble(v[5]), toDouble(v[6]), toDouble(v[7])};
    out.isHole = toBool(isHole);
    out.taper = toBool(taper);
    out.flags = toInt32(view->get("IC2DProjectedThreads_ProjectionFlags"));
    out.callout = toText(view->get("IC2DProjectedThreads_Callout"));
    return out;
}

void CoreComponent::formShown(const ui::Form& form) {
    if (seen_) seen_->formShown(shownForm(form));
}

void CoreComponent::formClosed(const ui::Form& form, bool byOk) {
    if (seen_) seen_->formClosed(formName(form), byOk);
}

void CoreComponent::messageShown(const ui::Message& box) {
    if (seen_) seen_->messageShown(box);
}

}  // namespace zelva::corehost
