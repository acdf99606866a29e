#include "core/standards/NominalSizes.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "core/automation/Error.h"
#include "core/automation/NumberRules.h"
#include "core/standards/ThreadTableFiles.h"

namespace zelva::standards {

namespace {
constexpr size_t kDiameterQuote = 7;     // the field between the seventh and the eighth quote
constexpr size_t kNameClosingQuote = 4;  // the name, field 2, ends at the fourth
constexpr double kSameSize = 1e-6;    // mm: far below any table's 4 decimals
}  // namespace

namespace {

// The fourth field's text, within the line, counting quotes from `at`, before
// which `quotesBefore` quotes lie. It runs for every entry the dialog lists:
// each quote is found by the library's block search.
std::optional<std::string_view> diameterText(std::string_view entryLine, size_t at, size_t quotesBefore) {
    size_t opening = std::string_view::npos;
    for (size_t quote = quotesBefore; quote < kDiameterQuote; ++quote, at = opening + 1) {
        opening = entryLine.find('"', at);
        if (opening == std::string_view::npos) return std::nullopt;
    }
    const size_t closing = entryLine.find('"', opening + 1);
    if (closing == std::string_view::npos) return std::nullopt;
    return entryLine.substr(opening + 1, closing - opening - 1);
}

// The most digits a decimal may have for its value to be read exactly as an
// integer divided by a power of ten: both are exact doubles, and one division
// rounds as the library's reading does.
constexpr size_t kExactDigits = 15;
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// A plain decimal number (digits and at most one point) above 0.
std::optional<double> positiveDecimal(std::string_view text) {
    uint64_t digits = 0;
    size_t count = 0, decimals = 0;
    bool point = false;
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = digits * 10 + static_cast<uint64_t>(c - '0');
            decimals += point;
            ++count;
        } else {
            return std::nullopt;
        }
        if (count > kExactDigits) break;
    }
    double value = 0;
    if (count > kExactDigits) {
        const auto end = text.data() + text.size();
        if (std::from_chars(text.data(), end, value).ptr != end) return std::nullopt;
    } else if (count > 0) {
        value = static_cast<double>(digits) / kPowersOfTen[decimals];
    }
    if (!(value > 0) || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::string> nominalDiameterField(std::string_view entryLine) {
    const auto text = diameterText(entryLine, 0, 0);
    if (!text) return std::nullopt;
    return std::string(*text);
}

std::optional<double> nominalDiameter(std::string_view entryLine) {
    const auto text = diameterText(entryLine, 0, 0);
    if (!text) return std::nullopt;
    return positiveDecimal(*text);
}

std::optional<double> nominalDiameterAfterName(std::string_view entryLine, std::string_view name) {
    const size_t afterName = static_cast<size_t>(name.data() - entryLine.data()) + name.size() + 1;
    const auto text = diameterText(entryLine, afterName, kNameClosingQuote);
    if (!text) return std::nullopt;
    return positiveDecimal(*text);
}

bool withinSizeTolerance(double diameter, double nominal) {
    return std::abs(diameter - nominal) <= std::max(kLeastSizeTolerance, kSizeToleranceShare * nominal) + kSameSize;
}

std::optional<size_t> nearestSize(const std::vector<std::optional<double>>& nominals, double diameter) {
    std::optional<size_t> best;
    double bestDistance = 0;
    for (size_t i = 0; i < nominals.size(); ++i) {
        if (!nominals[i] || !withinSizeTolerance(diameter, *nominals[i])) continue;
        const double distance = std::abs(diameter - *nominals[i]);
        if (!best || distance < bestDistance - kSameSize) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

std::optional<size_t> standardOfPin(const std::vector<std::optional<double>>& nominals, double diameter, double pitch,
                                    const std::function<std::vector<double>(size_t)>& pitchesOf) {
    std::optional<size_t> listing;
    for (size_t i = 0; i < nominals.size(); ++i) {
        if (!nominals[i] || !sameSize(*nominals[i], diameter)) continue;
        const std::vector<double> pitches = pitchesOf(i);
        const auto listed = std::find_if(pitches.begin(), pitches.end(), [&](double p) { return sameSize(p, pitch); });
        if (listed == pitches.begin() && listed != pitches.end()) return i;
        if (listed != pitches.end() && !listing) listing = i;
    }
    return listing;
}

std::vector<double> listedPitches(files::FileSystem& files, const std::string& dataPath) {
    std::vector<std::string> texts;
    try {
        const auto file = files.openForReading(dataPath);
        texts = ReadPitches(*file);
    } catch (const Error&) {
        return {};  // a standard whose table cannot be read names no pin
    }
    std::vector<double> values;
    for (const std::string& text : texts) values.push_back(leadingNumber(text));
    return values;
}

bool sameSize(double a, double b) { return std::abs(a - b) <= kSameSize; }

}  // namespace zelva::standards
