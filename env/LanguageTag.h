#pragma once
// Language tags as "Language" values: "en", "de-CH", "it-IT" (letters and digits
// in hyphen-separated subtags, the first two or three letters).

#include <optional>
#include <string>
#include <string_view>

namespace zelva::env {

// The primary subtag in lower case, when the whole value is a language tag.
std::optional<std::string> primarySubtag(std::string_view value);

}  // namespace zelva::env
