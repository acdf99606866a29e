#pragma once
// Texts with named places, "{name}" or "{D}", filled in by the caller: the
// drawing callouts a site writes and the dialog's size descriptions.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelva::texts {

using TemplateValues = std::vector<std::pair<std::string_view, std::string>>;

// `text` with each "{token}" of `values` replaced; other braces stay as written.
std::string fillTemplate(std::string_view text, const TemplateValues& values);

// A number with exactly `decimals` places and a point, whatever the locale: 9.80.
std::string fixedNumber(double value, int decimals);

// A number written shortest, rounded to `decimals` places: 10, 1.25, 12.7.
std::string shortestNumber(double value, int decimals);

}  // namespace zelva::texts
