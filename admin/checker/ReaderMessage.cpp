#include "admin/checker/ReaderMessage.h"

#include "core/automation/Error.h"
#include "core/automation/NumberRules.h"

namespace zelva::checker {

namespace {

// The message box's lines joined on one line, " / " between them.
std::string joinLines(const std::string& text) {
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

std::string whatIsWrong(int number, TableReader reader, const std::string& file) {
    const bool index = reader == TableReader::Index;
    switch (number) {
    case err::FileNotFound:
        return index ? "the index file " + file + " does not exist"
                     : "the data file " + file + " that this entry names does not exist";
    case err::InputPastEnd:
        return index ? "no line [1] alone opens the list of standards (nothing may follow its bracket)"
                     : "the file ends inside a list section: put a blank line after its last value";
    default:
        return index ? "the component cannot read this line of the list of standards"
                     : "the component cannot read this standard's entry or data file";
    }
}

}  // namespace

std::string componentMessage(int number, const ui::Message& box) {
    return "the component shows message box " + std::to_string(number) + ": " + joinLines(box.prompt);
}

std::string explainReaderMessage(int number, const ui::Message& box, TableReader reader, const std::string& file) {
    return whatIsWrong(number, reader, file) + "; " + componentMessage(number, box);
}

}  // namespace zelva::checker
