#include "admin/checker/IndexEntries.h"

#include <algorithm>
#include <map>

#include "core/files/TextFiles.h"

namespace zelva::checker {

namespace {

constexpr int kEntryFields = 3;  // "data file" "name shown" "description"

bool isComment(const std::string& line) { return line.starts_with('#'); }

// The section header as the component matches it: the line's first four characters.
bool opensSection(const std::string& line, const std::string& header) { return line.substr(0, 4) == header; }

int quotedFields(const std::string& line) { return static_cast<int>(std::count(line.begin(), line.end(), '"')) / 2; }

// Field 2, the name the standards list shows; empty when the line has fewer fields.
std::string shownName(const std::string& line) {
    size_t at = 0;
    for (int quote = 0; quote < 3; ++quote) at = line.find('"', at) + 1;
    return line.substr(at, line.find('"', at) - at);
}

}  // namespace

std::vector<Finding> checkIndexEntries(const std::string& file, const std::vector<std::string>& lines,
                                       const std::string& header) {
    std::vector<Finding> findings;
    const auto opening = std::find_if(lines.begin(), lines.end(),
                                      [&](const std::string& l) { return opensSection(l, header); });
    if (opening == lines.end()) return findings;  // the reader's own message says so
    std::map<std::string, int> listed;            // name shown → line first listed
    size_t i = static_cast<size_t>(opening - lines.begin()) + 1;
    for (; i < lines.size() && !lines[i].starts_with('['); ++i) {
        const std::string& line = lines[i];
        const int number = static_cast<int>(i + 1);
        if (line.empty() || isComment(line)) continue;
        if (const int fields = quotedFields(line); fields < kEntryFields) {
            findings.push_back({file, number, Level::Error,
                                "this entry has " + std::to_string(fields) +
                                    " quoted fields; the component needs three: \"data file\" \"name shown\" "
                                    "\"description\""});
            continue;
        }
        const std::string name = shownName(line);
        if (const auto [first, added] = listed.emplace(name, number); !added)
            findings.push_back({file, number, Level::Error,
                                "the standard '" + files::ansiToUtf8(name) + "' is listed again (first on line " +
                                    std::to_string(first->second) + "): the list shows it twice"});
    }
    const int endLine = static_cast<int>(i + 1);
    for (++i; i < lines.size(); ++i)
        if (!isComment(lines[i]) && !lines[i].starts_with('[') && lines[i].find('"') != std::string::npos)
            findings.push_back({file, static_cast<int>(i + 1), Level::Error,
                                "this entry follows line " + std::to_string(endLine) + ", which ends section " +
                                    header + ", so the component never lists it; move it above that line"});
    return findings;
}

}  // namespace zelva::checker
