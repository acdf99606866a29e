#include "standards/NominalSizes.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "automation/Error.h"
#include "automation/NumberRules.h"
#include "standards/ThreadTableFiles.h"

namespace zelva::standards {

namespace {
constexpr size_t kDiameterQuote = 7;  // the field between the seventh and the eighth quote
constexpr double kSameSize = 1e-6;    // mm: far below any table's 4 decimals
}  // namespace

namespace {

// The fourth field's text, within the line. It runs for every entry the
// dialog lists: each quote is found by the library's block search.
std::optional<std::string_view> diameterText(std::string_view entryLine) {
    size_t opening = std::string_view::npos;
    for (size_t quote = 0, at = 0; quote < kDiameterQuote; ++quote, at = opening + 1) {
        opening = entryLine.find('"', at);
        if (opening == std::string_view::npos) return std::nullopt;
    }
    const size_t closing = entryLine.find('"', opening + 1);
    if (closing == std::string_view::npos) return std::nullopt;
    return entryLine.substr(opening + 1, closing - opening - 1);
}

}  // namespace

std::optional<std::string> nominalDiameterField(std::string_view entryLine) {
    const auto text = diameterText(entryLine);
    if (!text) return std::nullopt;
    return std::string(*text);
}

std::optional<double> nominalDiameter(std::string_view entryLine) {
    const auto text = diameterText(entryLine);
    if (!text || text->empty()) return std::nullopt;
    const bool plainDecimal = std::all_of(text->begin(), text->end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '.';
    });
    double value = 0;
    const auto end = text->data() + text->size();
    if (!plainDecimal || std::from_chars(text->data(), end, value).ptr != end) return std::nullopt;
    if (!(value > 0) || !std::isfinite(value)) return std::nullopt;
    return value;
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

std::vector<double> listedPitches(env::FileSystem& files, const std::string& dataPath) {
    ui::ComboBox lengths, pitches;
    try {
        const auto file = files.openForReading(dataPath);
        ReadDataFile(*file, lengths, pitches);
    } catch (const Error&) {
        return {};  // a standard whose table cannot be read names no pin
    }
    std::vector<double> values;
    for (int i = 0; i < pitches.listCount(); ++i) values.push_back(leadingNumber(pitches.item(i)));
    return values;
}

bool sameSize(double a, double b) { return std::abs(a - b) <= kSameSize; }

}  // namespace zelva::standards
