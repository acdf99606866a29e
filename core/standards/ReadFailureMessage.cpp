#include "core/standards/ReadFailureMessage.h"

#include "core/automation/NumberRules.h"

namespace zelva::standards {

ui::Message readFailureMessage(const Error& failure, std::string_view procedure,
                                  const std::string& fileName, const std::string& pastEndNote) {
    const std::string name(procedure);
    switch (failure.number()) {
    case err::FileNotFound:
        return {"Error Reading File INI\r\n\r\n" + fileName + "\r\n\r\nFile INI not found\rIn " + name,
                std::nullopt, ui::Icon::Exclamation};
    case err::InputPastEnd: {
        std::string prompt = "Error Reading " + fileName + "\rin " + name;
        if (!pastEndNote.empty()) prompt += "\r\n" + pastEndNote;
        return {prompt, std::nullopt, ui::Icon::Critical};
    }
    default:
        return {"Error " + numberToText(failure.number()) + " " + failure.description() + "\r\nin " + name,
                std::nullopt, ui::Icon::Critical};
    }
}

}  // namespace zelva::standards
