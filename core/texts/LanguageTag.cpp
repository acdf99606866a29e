#include "core/texts/LanguageTag.h"

#include <algorithm>

#include "core/texts/Languages.h"

namespace zelva::texts {

namespace {

// ISO 639 codes have two or three letters; later subtags up to eight characters.
constexpr size_t kShortestPrimary = 2;
constexpr size_t kLongestPrimary = 3;
constexpr size_t kLongestSubtag = 8;

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isLetterOrDigit(char c) { return isLetter(c) || (c >= '0' && c <= '9'); }
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::optional<std::string> primarySubtag(std::string_view value) {
    const std::string_view primary = value.substr(0, value.find('-'));
    if (primary.size() < kShortestPrimary || primary.size() > kLongestPrimary ||
        !std::all_of(primary.begin(), primary.end(), isLetter))
        return std::nullopt;
    for (std::string_view rest = value.substr(primary.size()); !rest.empty();) {
        rest.remove_prefix(1);  // the hyphen
        const std::string_view subtag = rest.substr(0, rest.find('-'));
        if (subtag.empty() || subtag.size() > kLongestSubtag ||
            !std::all_of(subtag.begin(), subtag.end(), isLetterOrDigit))
            return std::nullopt;
        rest.remove_prefix(subtag.size());
    }
    std::string tag(primary);
    std::transform(tag.begin(), tag.end(), tag.begin(), lower);
    return tag;
}

std::optional<int16_t> languageBaseOf(std::string_view value) {
    for (const Language& l : kLanguages)
        if (value.find(l.name) != std::string_view::npos) return l.base;
    if (const std::optional<std::string> tag = primarySubtag(value))
        for (const Language& l : kCompleteSets)
            if (*tag == l.name) return l.base;
    return std::nullopt;
}

}  // namespace zelva::texts
