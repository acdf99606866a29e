#include "core/texts/TextTemplate.h"

#include <charconv>
#include <cmath>

namespace zelva::texts {

std::string fillTemplate(std::string_view text, const TemplateValues& values) {
    std::string out;
    for (size_t at = 0; at < text.size();) {
        bool filled = false;
        if (text[at] == '{') {
            for (const auto& [token, value] : values) {
                const size_t end = at + 1 + token.size();
                if (text.substr(at + 1, token.size()) == token && end < text.size() && text[end] == '}') {
                    out += value;
                    at = end + 1;
                    filled = true;
                    break;
                }
            }
        }
        if (!filled) out += text[at++];
    }
    return out;
}

std::string fixedNumber(double value, int decimals) {
    if (!std::isfinite(value)) return "?";
    char text[400];  // the widest double in fixed notation
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, written.ptr);
}

std::string shortestNumber(double value, int decimals) {
    std::string out = fixedNumber(value, decimals);
    if (out.find('.') != std::string::npos) {
        out.erase(out.find_last_not_of('0') + 1);
        if (out.back() == '.') out.pop_back();
    }
    if (out == "-0") out = "0";
    return out;
}

}  // namespace zelva::texts
