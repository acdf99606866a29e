#pragma once
// Member names as automation resolves them: without regard to the case of
// ASCII letters.

#include "core/automation/Namespace.h"

#include <string_view>

namespace zelva::automation {

// The case folding of member names: ASCII letters to lower case.
constexpr char foldNameCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b);

}  // namespace zelva::automation
