#pragma once
// The languages of the message texts and the base of each one's block in the
// string table (env/MessageTexts.inc): a text is fetched as base + offset.

#include <cstdint>
#include <string_view>

namespace zelva::env {

struct Language {
    std::string_view name;  // as the "Language" setting names it
    int16_t base;
};

// In the order a "Language" value is searched for them.
inline constexpr Language kLanguages[] = {{"Italian", 1000}, {"English", 2000}, {"German", 3000}};
// English, for a value that names none of them.
inline constexpr int16_t kDefaultLanguageBase = 2000;

// The first language, in the order above, whose name a "Language" value
// contains (case matters); null when it names none.
constexpr const Language* languageNamedIn(std::string_view value) {
    for (const Language& l : kLanguages)
        if (value.find(l.name) != std::string_view::npos) return &l;
    return nullptr;
}

}  // namespace zelva::env
