#pragma once
// Fields of an index file entry line: texts enclosed in double quotes, with no
// escape, found by counting quotes from the start of the line.

#include <cstddef>
#include <string>
#include <string_view>

namespace zelva::standards {

// The 1-based position of the k-th double quote of `line`, 0 when the last
// search found none. Each search starts after the previous result, so a failed
// search sends the next one back to the start of the line. A quote found beyond
// character position 32767 overflows (6).
size_t findQuote(std::string_view line, int k);

// Field n (1-based) of an entry line: the text between quote 2n-1, as found by
// findQuote, and the next quote after it. Quotes out of order (no closing quote
// after the opening one) are an invalid argument (5). The view lies within
// `line` and ends just before the field's closing quote.
std::string_view quotedFieldView(std::string_view line, int n);
inline std::string quotedField(std::string_view line, int n) { return std::string(quotedFieldView(line, n)); }

}  // namespace zelva::standards
