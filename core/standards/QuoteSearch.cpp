#include "core/standards/QuoteSearch.h"

#include <algorithm>

#include "core/automation/Error.h"

namespace zelva::standards {

namespace {

constexpr size_t kLastPosition = 32767;

// Lines are held as UTF-8, one code point for each character of the file.
size_t characterCount(std::string_view bytes) {
    return static_cast<size_t>(std::count_if(bytes.begin(), bytes.end(), [](char b) {
        return (static_cast<unsigned char>(b) & 0xC0) != 0x80;
    }));
}

// The 1-based position of the first quote after position `after`, 0 if none.
size_t nextQuote(std::string_view line, size_t after) {
    const size_t at = line.find('"', after);
    if (at == std::string_view::npos) return 0;
    const size_t position = at + 1;
    if (position > kLastPosition && characterCount(line.substr(0, position)) > kLastPosition) {
        throw Error::runtime(err::Overflow);
    }
    return position;
}

}  // namespace

size_t findQuote(std::string_view line, int k) {
    size_t position = 0;
    for (int i = 0; i < k; ++i) position = nextQuote(line, position);
    return position;
}

std::string_view quotedFieldView(std::string_view line, int n) {
    const size_t opening = findQuote(line, 2 * n - 1);
    const size_t closing = nextQuote(line, opening);
    if (closing <= opening) throw Error::runtime(err::InvalidCall);
    return line.substr(opening, closing - opening - 1);
}

}  // namespace zelva::standards
