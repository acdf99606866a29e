#include "app/ScenarioRunner.h"

#include <sstream>

#include "app/FormSnapshot.h"
#include "automation/NumberRules.h"
#include "shape/DropHook.h"
#include "shape/PShape.h"
#include "sim/DocumentJson.h"
#include "sim/ShapeGeometry.h"

namespace zelva::app {

namespace {

// What a transcript reads back from a pin's shape.
double readNumber(const sim::doc::Shape& shape, int32_t type, std::optional<int32_t> kind, int32_t number) {
    const auto* c = shape.components.first(type);
    if (!c) return 0;
    const Variant* v = c->variable({kind, number});
    if (!v || !v->isNumeric()) return 0;
    return toDouble(*v);
}

std::string shortNumber(double v) { return trimSpaces(numberToText(v)); }

}  // namespace

struct ScenarioRunner::Step {
    std::string where;  // "file:line"
    std::string text;   // the command as the summary names it
};

ScenarioRunner::ScenarioRunner(Session& session, Transcript& transcript, std::ostream& summary)
    : session_(session), transcript_(transcript), summary_(summary) {
    session_.ui.setObserver(this);
}

void ScenarioRunner::formShown(const ui::Form& form) { transcript_.formShown(form); }

void ScenarioRunner::formClosed(const ui::Form& form, bool byOk) {
    transcript_.formClosed(form, byOk);
    seen_ += std::string(seen_.empty() ? "" : ", ") + formName(form) + (byOk ? " (OK)" : " (cancelled)");
}

void ScenarioRunner::messageShown(const ui::Message& box) {
    transcript_.messageShown(box);
    seen_ += std::string(seen_.empty() ? "" : ", ") + "message box";
}

void ScenarioRunner::run(const std::vector<ScenarioLine>& lines, const std::string& name) {
    for (const ScenarioLine& line : lines) {
        const Step step{name + ":" + std::to_string(line.line), ""};
        seen_.clear();
        apply(line.command, step);
        session_.ui.discardAnswers();
    }
}

void ScenarioRunner::apply(const Command& command, const Step& step) {
    auto& host = session_.host;
    std::visit(
        [&](const auto& c) {
            using C = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<C, RegistryValue>) host.registry().set(c.key, c.name, c.value);
            else if constexpr (std::is_same_v<C, HostSetting>) host.settings().set(c.section, c.key, c.value);
            else if constexpr (std::is_same_v<C, PageUnits>) host.setPageLengthUnits(c.code);
            else if constexpr (std::is_same_v<C, DialogPrecision>) host.setDialogPrecision(static_cast<int16_t>(c.digits));
            else if constexpr (std::is_same_v<C, AddPart>) {
                if (parts_.count(c.name)) throw ScenarioError(step.where + ": a part named " + c.name + " exists already");
                parts_[c.name] = host.addPart(c.name);
            } else if constexpr (std::is_same_v<C, AddEdge>) {
                const auto owner = part(c.part, step);
                addElement(c.name, step, c.circular ? host.addCircularEdge(owner, c.point, c.normal, c.radius, c.depth)
                                                    : host.addLineEdge(owner, c.point, c.normal));
            } else if constexpr (std::is_same_v<C, AddFace>) {
                addElement(c.name, step, host.addFace(part(c.part, step), c.point, c.normal));
            } else if constexpr (std::is_same_v<C, Drop>) drop(c, {step.where, "drop " + c.element});
            else if constexpr (std::is_same_v<C, DoubleClick>) doubleClick(c, {step.where, "dblclick " + c.pin});
            else if constexpr (std::is_same_v<C, Project>) project(c, {step.where, "project " + c.pin});
        },
        command);
}

template <class Call>
bool ScenarioRunner::hostCall(const Step& step, Call call) {
    try {
        call();
        return true;
    } catch (const ui::ImpossibleAction& e) {
        throw ScenarioError(step.where + ": " + e.what());
    } catch (const Error& e) {
        ++failures_;
        transcript_.error(step.text, e);
        summary_ << "  " << step.where << "  " << step.text << ": error " << e.number() << " " << e.description()
                 << "\n";
        return false;
    }
}

void ScenarioRunner::drop(const Drop& d, const Step& step) {
    const auto it = elements_.find(d.element);
    if (it == elements_.end()) throw ScenarioError(step.where + ": no element named " + d.element);
    session_.ui.answerNextForm(d.answers);
    const size_t shapesBefore = it->second->part->shapes().size();
    const bool ok = hostCall(step, [&] {
        Variant hook = Variant::object(session_.host.makeDropHook(it->second));
        makeRef<shape::DropHook>(session_.module)->call("OnDragDrop", {ref(hook)});
    });
    if (ok) summary_ << "  " << step.where << "  " << step.text << ": " << (seen_.empty() ? "nothing shown" : seen_) << "\n";
    // A drop builds its pin in the part it hit, after that part's other shapes.
    const auto& shapes = it->second->part->shapes();
    for (size_t i = shapesBefore; i < shapes.size(); ++i) {
        const std::string name = "pin" + std::to_string(pins_.size() + 1);
        pins_.emplace(name, shapes[i]);
        reportPin(name, true);
    }
}

void ScenarioRunner::doubleClick(const DoubleClick& d, const Step& step) {
    const auto shape = pin(d.pin, step);
    session_.ui.answerNextForm(d.answers);
    // A double-click rebuilds the clicked pin only, so the pin alone tells whether the document changed.
    const auto before = sim::shapeJson(*shape);
    if (hostCall(step, [&] { session_.host.doubleClick(shape); }))
        summary_ << "  " << step.where << "  " << step.text << ": " << seen_ << "\n";
    if (sim::shapeJson(*shape) != before) reportPin(d.pin, false);
}

void ScenarioRunner::project(const Project& p, const Step& step) {
    const auto shape = pin(p.pin, step);
    PinProjection out;
    out.pin = p.pin;
    const bool ok = hostCall(step, [&] {
        const Ref<shape::PShape> view = makeRef<shape::PShape>(session_.module);
        Variant target = Variant::object(session_.host.shapeObject(shape));
        std::vector<Variant> v(8, Variant::r8(0));
        Variant isHole = Variant::boolean(false), taper = Variant::boolean(false);
        std::vector<Arg> args{ref(target)};
        for (auto& x : v) args.push_back(ref(x));
        args.push_back(ref(isHole));
        args.push_back(ref(taper));
        out.result = toBool(view->call("IC2DProjectedThreads_GetProjectedThreadInformation", args));
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
    });
    if (!ok) return;
    out.chamfer = readNumber(*shape, sim::doc::type::Body, std::nullopt, 23);
    out.chamfered = out.chamfer != 0;
    projections_.push_back(out);
    transcript_.projection(out);
    summary_ << "  " << step.where << "  " << step.text << ": " << (out.result ? "thread " : "no thread information")
             << (out.result ? "outer " + shortNumber(out.outer) + ", inner " + shortNumber(out.inner) + ", length " +
                                  shortNumber(out.length)
                            : "")
             << "\n";
}

void ScenarioRunner::reportPin(const std::string& name, bool created) {
    const auto& s = *pins_.at(name);
    PinState state{name, created,
                   readNumber(s, sim::doc::type::SizeBox, std::nullopt, 2),
                   readNumber(s, sim::doc::type::SizeBox, std::nullopt, 3),
                   readNumber(s, sim::doc::type::PartData, 1, 12),
                   readNumber(s, sim::doc::type::Body, std::nullopt, 23)};
    transcript_.pin(state);
    summary_ << "      " << name << (created ? " created" : " rebuilt") << ": diameter " << shortNumber(state.diameter)
             << ", length " << shortNumber(state.length) << ", pitch " << shortNumber(state.pitch) << ", chamfer "
             << shortNumber(state.chamfer) << "\n";
}

void ScenarioRunner::addElement(const std::string& name, const Step& step, sim::HitSiteRef site) {
    if (!elements_.emplace(name, std::move(site)).second)
        throw ScenarioError(step.where + ": an element named " + name + " exists already");
}

std::shared_ptr<sim::doc::Part> ScenarioRunner::part(const std::string& name, const Step& step) const {
    const auto it = parts_.find(name);
    if (it == parts_.end()) throw ScenarioError(step.where + ": no part named " + name);
    return it->second;
}

std::shared_ptr<sim::doc::Shape> ScenarioRunner::pin(const std::string& name, const Step& step) const {
    const auto it = pins_.find(name);
    if (it == pins_.end()) throw ScenarioError(step.where + ": no pin named " + name);
    return it->second;
}

}  // namespace zelva::app
