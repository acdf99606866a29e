#include "admin/checker/Finding.h"

#include <algorithm>
#include <cstdio>

namespace zelva::checker {

namespace {

const char* levelName(Level level) { return level == Level::Error ? "error" : "warning"; }

size_t count(const std::vector<Finding>& findings, Level level) {
    return static_cast<size_t>(
        std::count_if(findings.begin(), findings.end(), [level](const Finding& f) { return f.level == level; }));
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

std::string escapeLineEnds(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

std::string formatText(const std::vector<Finding>& findings) {
    std::string out;
    for (const Finding& f : findings)
        out += f.file + ":" + std::to_string(f.line) + ": " + levelName(f.level) + ": " + escapeLineEnds(f.message) + "\n";
    out += std::to_string(count(findings, Level::Error)) + " errors, " +
           std::to_string(count(findings, Level::Warning)) + " warnings\n";
    return out;
}

std::string formatJson(const std::vector<Finding>& findings) {
    std::string out = "[";
    for (size_t i = 0; i < findings.size(); ++i) {
        const Finding& f = findings[i];
        out += (i ? ",\n " : "\n ") + std::string("{\"file\": ") + jsonString(f.file) +
               ", \"line\": " + std::to_string(f.line) + ", \"level\": \"" + levelName(f.level) +
               "\", \"message\": " + jsonString(f.message) + "}";
    }
    return out + (findings.empty() ? "]\n" : "\n]\n");
}

bool hasErrors(const std::vector<Finding>& findings) { return count(findings, Level::Error) > 0; }

}  // namespace zelva::checker
