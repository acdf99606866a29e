#include "standin/pinhost/Transcript.h"

namespace zelva::pinhost {

using json = nlohmann::ordered_json;

namespace {
const char* iconName(ui::Icon icon) {
    switch (icon) {
        case ui::Icon::Critical: return "critical";
        case ui::Icon::Exclamation: return "exclamation";
        case ui::Icon::None: break;
    }
    return "none";
}
}  // namespace

void Transcript::write(const json& event) { out_ << event.dump() << '\n'; }

void Transcript::formShown(const ShownForm& form) {
    write({{"event", "form"}, {"form", form.name}, {"controls", form.controls}});
}

void Transcript::formClosed(const std::string& form, bool byOk) {
    write({{"event", "closed"}, {"form", form}, {"by", byOk ? "ok" : "cancel"}});
}

void Transcript::messageShown(const ui::Message& box) {
    write({{"event", "messagebox"},
           {"prompt", box.prompt},
           {"title", box.title ? json(*box.title) : json(nullptr)},
           {"icon", iconName(box.icon)}});
}

void Transcript::pin(const PinState& s) {
    write({{"event", "pin"},
           {"pin", s.pin},
           {"action", s.created ? "created" : "rebuilt"},
           {"diameter", s.diameter},
           {"length", s.length},
           {"pitch", s.pitch},
           {"chamfer", s.chamfer}});
}

void Transcript::projection(const PinProjection& p) {
    nlohmann::ordered_json event = {{"event", "projection"},
                                    {"pin", p.pin},
                                    {"result", p.result},
                                    {"outer", p.outer},
                                    {"inner", p.inner},
                                    {"length", p.length},
                                    {"offset", p.offset},
                                    {"direction", p.direction},
                                    {"isHole", p.isHole},
                                    {"taper", p.taper},
                                    {"flags", p.flags}};
    // Recorded rounds whose pins have no callout stay as they were recorded.
    if (!p.callout.empty()) event["callout"] = p.callout;
    write(event);
}

void Transcript::error(const std::string& step, const Error& e) {
    write({{"event", "error"}, {"step", step}, {"number", e.number()}, {"description", e.description()}});
}

}  // namespace zelva::pinhost
