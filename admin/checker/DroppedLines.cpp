#include "admin/checker/DroppedLines.h"

#include "core/automation/NumberRules.h"
#include "core/standards/ThreadTableFiles.h"

namespace zelva::checker {

namespace {

bool isHeader(const std::string& trimmed) {
    return trimmed == standards::kLengthsHeader || trimmed == standards::kPitchesHeader;
}

bool isComment(const std::string& line) { return line.starts_with('#') || line.starts_with('@'); }

}  // namespace

std::vector<Finding> checkDroppedLines(const std::string& file, const std::vector<std::string>& lines) {
    std::vector<Finding> findings;
    std::string section;        // the header of the section being read, empty outside
    std::string lastSection;    // the header of the section a blank line last ended
    int endedAt = 0;            // the line of that blank line
    bool inRun = false;         // a run of dropped lines is reported since the last header
    for (size_t i = 0; i < lines.size(); ++i) {
        const int line = static_cast<int>(i + 1);
        const std::string text = trimSpaces(lines[i]);
        if (!section.empty()) {
            if (text.empty()) {
                lastSection = section;
                endedAt = line;
                section.clear();
            }
            continue;
        }
        if (isHeader(text)) {
            section = text;
            inRun = false;
            continue;
        }
        // Comments are no values, nor is text before the first section.
        if (text.empty() || isComment(lines[i]) || endedAt == 0 || inRun) continue;
        inRun = true;
        findings.push_back({file, line, Level::Error,
                            "'" + text + "' follows the blank line " + std::to_string(endedAt) + " that ends " +
                                lastSection + ", so the component drops it and the lines after it up to the next "
                                              "header; remove the blank line"});
    }
    return findings;
}

}  // namespace zelva::checker
