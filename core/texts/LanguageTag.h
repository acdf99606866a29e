#pragma once
// Language tags as "Language" values: "en", "de-CH", "it-IT" (letters and digits
// in hyphen-separated subtags, the first two or three letters).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelva::texts {

// The primary subtag in lower case, when the whole value is a language tag.
std::optional<std::string> primarySubtag(std::string_view value);

// The block of texts a "Language" value chooses: the first old block whose name
// it contains (case matters), else the complete set its tag names; none when it
// names neither. Only a value that named none of the old blocks is read as a tag,
// so every value an installation holds today keeps the block it chose.
std::optional<int16_t> languageBaseOf(std::string_view value);

}  // namespace zelva::texts
