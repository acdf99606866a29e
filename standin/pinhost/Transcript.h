#pragma once
// The transcript of a replayed round of work: one JSON object a line for every
// form shown and closed, message box, pin built, drawing answer and failure.

#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "core/automation/Error.h"
#include "standin/pinhost/PinProjection.h"
#include "standin/pinhost/UserEvents.h"

namespace zelva::pinhost {

struct PinState {
    std::string pin;
    bool created = false;  // otherwise rebuilt
    double diameter = 0, length = 0, pitch = 0, chamfer = 0;
};

class Transcript : public UserEvents {
public:
    explicit Transcript(std::ostream& out) : out_(out) {}

    void formShown(const ShownForm& form) override;
    void formClosed(const std::string& form, bool byOk) override;
    void messageShown(const ui::Message& box) override;
    void pin(const PinState& state);
    void projection(const PinProjection& p);
    void error(const std::string& step, const Error& e);

private:
    void write(const nlohmann::ordered_json& event);
    std::ostream& out_;
};

}  // namespace zelva::pinhost
