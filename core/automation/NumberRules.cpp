#include "core/automation/NumberRules.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "core/automation/Error.h"

namespace zelva::automation {

double roundHalfEven(double v) { return std::nearbyint(v); }  // default rounding mode: ties to even

double roundHalfEven(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = v * scale;
    if (!std::isfinite(scaled)) return v;
    return std::nearbyint(scaled) / scale;
}

namespace {
template <class Int>
Int roundInto(double v) {
    const double r = roundHalfEven(v);
    if (!(r >= std::numeric_limits<Int>::min() && r <= std::numeric_limits<Int>::max()))
        throw Error::runtime(err::Overflow);
    return static_cast<Int>(r);
}

bool isIgnoredBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Whole numbers below this are written digit for digit at any precision used here.
constexpr double kPlainWholeLimit = 1e7;

std::string formatSignificant(double v, int digits) {
    if (v == 0) v = 0.0;  // a negative zero is written as zero
    char buf[64];
    if (std::fabs(v) < kPlainWholeLimit && v == std::trunc(v)) {  // the common case, without printf
        buf[0] = ' ';
        const auto end = std::to_chars(buf + 1, buf + sizeof buf, static_cast<int32_t>(v)).ptr;
        return v < 0 ? std::string(buf + 1, end) : std::string(buf, end);
    }
    std::snprintf(buf, sizeof buf, "%.*G", digits, v);
    std::string s = buf;
    // No zero before the point: "0.75" → ".75", "-0.75" → "-.75".
    if (s.rfind("0.", 0) == 0) s.erase(0, 1);
    else if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
    return v < 0 ? s : " " + s;
}
}  // namespace

int16_t roundToInt16(double v) { return roundInto<int16_t>(v); }

float toSingle(double v) {
    if (!(std::fabs(v) <= std::numeric_limits<float>::max())) throw Error::runtime(err::Overflow);
    return static_cast<float>(v);
}
int32_t roundToInt32(double v) { return roundInto<int32_t>(v); }

double checkedDouble(double v) {
    if (!std::isfinite(v)) throw Error::runtime(err::Overflow);
    return v;
}

namespace {
std::string withoutBlanks(std::string_view text) {
    std::string s;
    for (char c : text)
        if (!isIgnoredBlank(c)) s += c;
    return s;
}

// Where the longest leading decimal number of `s` ends; 0 when `s` begins with none.
size_t leadingNumberEnd(const std::string& s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const size_t digitsStart = i;
    while (i < s.size() && isDigit(s[i])) ++i;
    size_t mantissaDigits = i - digitsStart;
    if (i < s.size() && s[i] == '.') {
        const size_t afterPoint = ++i;
        while (i < s.size() && isDigit(s[i])) ++i;
        mantissaDigits += i - afterPoint;
    }
    if (mantissaDigits == 0) return 0;
    size_t end = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const size_t expDigits = j;
        while (j < s.size() && isDigit(s[j])) ++j;
        if (j > expDigits) end = j;
    }
    return end;
}
}  // namespace

double leadingNumber(std::string_view text) {
    const std::string s = withoutBlanks(text);
    const size_t end = leadingNumberEnd(s);
    if (end == 0) return 0;
    return checkedDouble(std::strtod(s.substr(0, end).c_str(), nullptr));
}

bool decimalCommaFollows(std::string_view text) {
    const std::string s = withoutBlanks(text);
    const size_t end = leadingNumberEnd(s);
    return end > 0 && end + 1 < s.size() && s[end] == ',' && isDigit(s[end + 1]);
}

std::optional<double> parseWholeNumber(std::string_view text) {
    const std::string t = trimSpaces(text);
    if (t.empty()) return std::nullopt;
    const char first = t[0];
    if (!(isDigit(first) || first == '.' || first == '+' || first == '-')) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size()) return std::nullopt;
    return checkedDouble(v);
}

std::string numberToText(double v) { return formatSignificant(v, 15); }
std::string singleToText(float v) { return formatSignificant(v, 7); }

std::string trimSpaces(std::string_view s) { return std::string(trimSpacesView(s)); }

std::string_view trimSpacesView(std::string_view s) {
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    const size_t e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

}  // namespace zelva::automation
