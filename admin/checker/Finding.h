#pragma once
// One thing the table checker found: where (a file and line, 0 for a file or
// folder as a whole), how bad, and what.

#include <string>
#include <vector>

namespace zelva::checker {

enum class Level { Warning, Error };

struct Finding {
    std::string file;  // relative to the checked tree, '/' between folders
    int line = 0;
    Level level = Level::Warning;
    std::string message;  // one line
};

// A text quoted from a file may hold a line feed or a carriage return that
// ends no line for the component's readers: shown as \n and \r, it stays on
// the finding's one line.
std::string escapeLineEnds(const std::string& text);

// "file:line: level: message" a line, then a summary line.
std::string formatText(const std::vector<Finding>& findings);
// The same findings as a JSON array of {file, line, level, message}.
std::string formatJson(const std::vector<Finding>& findings);

bool hasErrors(const std::vector<Finding>& findings);

}  // namespace zelva::checker
