#pragma once
// The languages of the message texts and the base of each one's block in the
// string table (env/MessageTexts.inc): a text is fetched as base + offset.

#include <cstdint>
#include <string_view>

namespace zelva::texts {

struct Language {
    std::string_view name;  // as the "Language" setting names it
    int16_t base;
};

// The blocks installations have always had, chosen by a "Language" value that
// contains the name; in the order a value is searched for them. Most of their
// texts are Chinese, and they stay as they are: installed hosts show them.
inline constexpr Language kLanguages[] = {{"Italian", 1000}, {"English", 2000}, {"German", 3000}};
// English, for a value that names none of them and is no tag of a complete set.
inline constexpr int16_t kDefaultLanguageBase = 2000;

// The complete sets, chosen by a language tag ("de", "de-CH", "EN-us"): the
// primary subtag, in any case, is the name here.
inline constexpr Language kCompleteSets[] = {{"en", 4000}, {"de", 5000}, {"it", 6000}};

}  // namespace zelva::texts
