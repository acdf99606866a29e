#include "admin/checker/DiameterChecks.h"

#include <regex>

#include "core/automation/Error.h"
#include "core/texts/TextTemplate.h"
#include "core/standards/NominalSizes.h"
#include "core/standards/QuoteSearch.h"

namespace zelva::checker {

namespace {

constexpr double kMillimetresPerInch = 25.4;
// Numbered unified sizes: #0 is 0.060 in, and each number adds 0.013 in.
constexpr double kNumberedSizeBase = 0.060, kNumberedSizeStep = 0.013;

std::optional<double> inchesOf(const std::string& size) {
    std::smatch m;
    if (std::regex_match(size, m, std::regex(R"(#(\d+))")))
        return kNumberedSizeBase + kNumberedSizeStep * std::stod(m[1]);
    if (std::regex_match(size, m, std::regex(R"((?:(\d+)-)?(\d+)/(\d+))")))
        return (m[1].matched ? std::stod(m[1]) : 0) + std::stod(m[2]) / std::stod(m[3]);
    if (std::regex_match(size, m, std::regex(R"(\d+)"))) return std::stod(size);
    return std::nullopt;
}

}  // namespace

std::optional<double> sizeOfName(std::string_view name) {
    const std::string text(name);
    std::smatch m;
    if (std::regex_match(text, m, std::regex(R"((?:M|Tr )(\d+(?:\.\d+)?)(?:×.*)?)"))) return std::stod(m[1]);
    if (std::regex_match(text, m, std::regex(R"((.+)-\d+ UN[CFE]?F?)"))) {
        const auto inches = inchesOf(m[1]);
        if (inches) return *inches * kMillimetresPerInch;
    }
    return std::nullopt;
}

std::vector<Finding> checkNominalDiameter(const std::string& file, int line, std::string_view entryLine) {
    const auto field = standards::nominalDiameterField(entryLine);
    if (!field) return {{file, line, Level::Warning, "no nominal diameter: size matching never selects this standard"}};
    const auto diameter = standards::nominalDiameter(entryLine);
    if (!diameter) return {{file, line, Level::Error, "nominal diameter \"" + *field + "\" is not a positive number"}};
    std::string name;
    try {
        name = standards::quotedField(entryLine, 2);
    } catch (const Error&) {
        return {};  // the reader's own finding names this line already
    }
    const auto stated = sizeOfName(name);
    if (stated && !standards::withinSizeTolerance(*diameter, *stated))
        return {{file, line, Level::Warning,
                 "nominal diameter " + *field + " is far from the size " + name + " names (" +
                     texts::shortestNumber(*stated, 4) + " mm)"}};
    return {};
}

}  // namespace zelva::checker
