#include "admin/settingsfiles/ConfigFiles.h"

#include <cctype>
#include <fstream>
#include <stdexcept>

namespace zelva::settingsfiles {

std::vector<std::string> readConfigLines(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("Cannot open " + path.string());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    if (in.bad()) throw std::runtime_error("Cannot read " + path.string());
    return lines;
}

namespace {
bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
}  // namespace

std::string substitutePlaceholders(std::string_view text, const Substitutions& subs, std::string_view where) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const size_t open = text.find('%', i);
        if (open == std::string_view::npos) break;
        size_t close = open + 1;
        while (close < text.size() && isNameChar(text[close])) ++close;
        out.append(text.substr(i, open - i));
        if (close == open + 1 || close >= text.size() || text[close] != '%') {
            out += '%';
            i = open + 1;
            continue;
        }
        const std::string name(text.substr(open + 1, close - open - 1));
        const auto it = subs.find(name);
        if (it == subs.end()) throw std::runtime_error(std::string(where) + ": no value given for %" + name + "%");
        out += it->second;
        i = close + 1;
    }
    out.append(text.substr(i));
    return out;
}

std::string lineLocation(const std::filesystem::path& path, size_t lineIndex) {
    return path.string() + ":" + std::to_string(lineIndex + 1);
}

}  // namespace zelva::settingsfiles
