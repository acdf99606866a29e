#include "app/tables/ReaderMessage.h"

#include "automation/Error.h"
#include "automation/NumberRules.h"

namespace zelva::tables {

namespace {

constexpr std::string_view kPastEndPrefix = "Error Reading ";
constexpr std::string_view kGenericPrefix = "Error ";

int messageNumber(const ui::Message& box) {
    if (box.icon == ui::Icon::Exclamation) return err::FileNotFound;
    if (box.prompt.rfind(kPastEndPrefix, 0) == 0) return err::InputPastEnd;
    return static_cast<int>(leadingNumber(std::string_view(box.prompt).substr(kGenericPrefix.size())));
}

std::string oneLine(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            out += text[i];
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += " / ";
    }
    return out;
}

}  // namespace

std::string describeReaderMessage(const ui::Message& box) {
    return "message box " + std::to_string(messageNumber(box)) + ": " + oneLine(box.prompt);
}

}  // namespace zelva::tables
