#include "standin/pinhost/ScenarioRunner.h"

#include <sstream>

#include "core/automation/NumberRules.h"
#include "core/host/VariableNumbers.h"
#include "standin/sim/DocumentJson.h"
#include "standin/sim/ShapeGeometry.h"

namespace zelva::pinhost {

namespace {

namespace vars = host::vars;

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

ScenarioRunner::ScenarioRunner(LoadedComponent& loaded, Transcript& transcript, std::ostream& summary)
    : host_(loaded.host()), component_(loaded.component()), transcript_(transcript), summary_(summary) {}

void ScenarioRunner::formShown(const ShownForm& form) { transcript_.formShown(form); }

void ScenarioRunner::formClosed(const std::string& form, bool byOk) {
    transcript_.formClosed(form, byOk);
    seen_ += std::string(seen_.empty() ? "" : ", ") + form + (byOk ? " (OK)" : " (cancelled)");
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
    }
}

void ScenarioRunner::apply(const Command& command, const Step& step) {
    auto& host = host_;
    std::visit(
        [&](const auto& c) {
            using C = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<C, RegistryValue>) component_.setRegistryValue(c.key, c.name, c.value);
            else if constexpr (std::is_same_v<C, HostSetting>) component_.setHostSetting(c.section, c.key, c.value);
            else if constexpr (std::is_same_v<C, PageUnits>) host.setPageLengthUnits(c.code);
            else if constexpr (std::is_same_v<C, DialogPrecision>) host.setDialogPrecision(static_cast<int16_t>(c.digits));
            else if constexpr (std::is_same_v<C, Screen>) component_.setScreen(c.width, c.height);
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
    const size_t shapesBefore = it->second->part->shapes().size();
    const bool ok =
        hostCall(step, [&] { component_.drop(host_.makeDropHook(it->second), d.answers, *this); });
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
    // A double-click rebuilds the clicked pin only, so the pin alone tells whether the document changed.
    const auto before = sim::shapeJson(*shape);
    if (hostCall(step, [&] { component_.doubleClick(shape, d.answers, *this); }))
        summary_ << "  " << step.where << "  " << step.text << ": " << seen_ << "\n";
    if (sim::shapeJson(*shape) != before) reportPin(d.pin, false);
}

void ScenarioRunner::project(const Project& p, const Step& step) {
    const auto shape = pin(p.pin, step);
    PinProjection out;
    const bool ok = hostCall(step, [&] { out = component_.project(host_.shapeObject(shape)); });
    out.pin = p.pin;
    if (!ok) return;
    out.chamfer = readNumber(*shape, sim::doc::type::Body, std::nullopt, vars::body::StartChamfer);
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
                   readNumber(s, sim::doc::type::SizeBox, std::nullopt, vars::size_box::Depth),
                   readNumber(s, sim::doc::type::SizeBox, std::nullopt, vars::size_box::Length),
                   readNumber(s, sim::doc::type::PartData, vars::part_data::NumberField, vars::part_data::Pitch),
                   readNumber(s, sim::doc::type::Body, std::nullopt, vars::body::StartChamfer)};
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

}  // namespace zelva::pinhost
