#pragma once
// The runtime's number rules, kept in one place: rounding into 16 and 32 bits,
// reading the leading number of a text, and writing a number as text.

#include "core/automation/Namespace.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelva::automation {

// Rounds to the nearest integer, ties to the even neighbour.
double roundHalfEven(double v);
// Rounds to `decimals` places, ties to the even neighbour (decimals >= 0).
double roundHalfEven(double v, int decimals);

// Round half to even into 16 or 32 bits; out of range (or not a number): overflow 6.
int16_t roundToInt16(double v);
int32_t roundToInt32(double v);
// A double stored as single precision; beyond its range: overflow 6.
float toSingle(double v);

// The result of one of the component's own double operations, as the runtime
// checks it: infinite or not a number is overflow 6, raised at that operation.
// Values the host hands back are taken as they come and are not passed here.
double checkedDouble(double v);

// Leading-number rule: blanks, tabs and line feeds are ignored wherever they
// stand; the longest leading decimal number of the rest is taken (sign, digits,
// a point, exponent); no number gives 0. "12.5 mm" → 12.5, "1 2" → 12, "12,5" → 12.
double leadingNumber(std::string_view text);
// Whether the leading number of `text` is followed by a comma and a digit
// (blanks ignored as above), as a number written with a decimal comma is:
// "1,5" and "12, 5" are; "1,x", "1," and "abc,5" are not.
bool decimalCommaFollows(std::string_view text);

// A text that is a number as a whole (surrounding blanks allowed), as the
// runtime's conversion of a text to a number accepts it; otherwise empty.
std::optional<double> parseWholeNumber(std::string_view text);

// Number-to-text rule: a leading blank for a value that is not negative (a minus
// otherwise), the shortest decimal form with a point, no zero before the point,
// at most 15 significant digits (7 for single precision). 0.75 → " .75".
std::string numberToText(double v);
std::string singleToText(float v);

// Leading and trailing space characters removed (tabs stay).
std::string trimSpaces(std::string_view s);
// The same, as a view into `s`.
std::string_view trimSpacesView(std::string_view s);

}  // namespace zelva::automation
