#pragma once
// One thing the table checker found: where (a file and line, 0 for a file or
// folder as a whole), how bad, and what.

#include <string>
#include <vector>

namespace zelva::tables {

enum class Level { Warning, Error };

struct Finding {
    std::string file;  // relative to the checked tree, '/' between folders
    int line = 0;
    Level level = Level::Warning;
    std::string message;  // one line
};

// "file:line: level: message" a line, then a summary line.
std::string formatText(const std::vector<Finding>& findings);
// The same findings as a JSON array of {file, line, level, message}.
std::string formatJson(const std::vector<Finding>& findings);

bool hasErrors(const std::vector<Finding>& findings);

}  // namespace zelva::tables
