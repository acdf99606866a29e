#include "admin/checker/ListItems.h"

#include <map>

#include "core/automation/Error.h"
#include "core/automation/NumberRules.h"
#include "core/standards/ThreadTableFiles.h"

namespace zelva::checker {

namespace {

struct Section {
    const char* header;
    const char* what;
    const char* whatPlural;
    bool ascending;  // the pitch list starts with the size's own pitch, so only lengths ascend
};

constexpr Section kLengths{standards::kLengthsHeader, "length", "lengths", true};
constexpr Section kPitches{standards::kPitchesHeader, "pitch", "pitches", false};

// A plain decimal number as a person writes it in a table: digits, at most one point.
bool isPlainNumber(const std::string& text) {
    int points = 0, digits = 0;
    for (const char c : text) {
        if (c == '.') ++points;
        else if (c >= '0' && c <= '9') ++digits;
        else return false;
    }
    return digits > 0 && points <= 1;
}

std::string shownNumber(double v) { return trimSpaces(numberToText(v)); }

void checkSection(const std::string& file, const std::vector<std::string>& lines, const std::vector<std::string>& list,
                  const Section& section, std::vector<Finding>& findings) {
    size_t at = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (trimSpaces(lines[i]) == section.header) at = i + 1;
    if (at == 0) {
        findings.push_back({file, 0, Level::Error,
                            std::string("no ") + section.header + " section: the dialog keeps the " + section.whatPlural +
                                " of the standard chosen before and builds the pin with one of them"});
        return;
    }
    std::map<double, int> seen;  // value → line first listed
    double previous = 0;
    for (const std::string& item : list) {
        while (at < lines.size() && (trimSpaces(lines[at]) != item || lines[at].rfind('#', 0) == 0)) ++at;
        const int line = static_cast<int>(++at);
        const std::string quoted = std::string(section.what) + " '" + item + "'";
        double value = 0;
        try {
            value = leadingNumber(item);
        } catch (const Error& e) {
            // A number past the doubles' range: the dialog's OK fails with this error.
            findings.push_back({file, line, Level::Error,
                                quoted + " cannot be read: run-time error " + std::to_string(e.number()) + ", " +
                                    e.description()});
            continue;
        }
        if (value <= 0) {
            findings.push_back({file, line, Level::Error, quoted + " is read as " + shownNumber(value)});
            continue;
        }
        if (!isPlainNumber(item)) {
            findings.push_back({file, line, Level::Error,
                                quoted + " is read as " + shownNumber(value) +
                                    ": write one plain number, a point as decimal separator"});
            continue;
        }
        if (const auto first = seen.find(value); first != seen.end())
            findings.push_back({file, line, Level::Warning,
                                quoted + " repeats the value of line " + std::to_string(first->second)});
        else
            seen.emplace(value, line);
        if (section.ascending && value < previous)
            findings.push_back({file, line, Level::Warning,
                                quoted + " follows " + shownNumber(previous) + ": lengths are not ascending"});
        previous = value;
    }
}

}  // namespace

std::vector<Finding> checkListItems(const std::string& file, const std::vector<std::string>& lines,
                                    const std::vector<std::string>& lengths, const std::vector<std::string>& pitches) {
    std::vector<Finding> findings;
    checkSection(file, lines, lengths, kLengths, findings);
    checkSection(file, lines, pitches, kPitches, findings);
    return findings;
}

}  // namespace zelva::checker
