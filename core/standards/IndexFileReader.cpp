#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/automation/NumberRules.h"
#include "core/standards/NominalSizes.h"
#include "core/standards/NumberedLines.h"
#include "core/standards/QuoteSearch.h"
#include "core/standards/ReadFailureMessage.h"
#include "core/standards/ThreadTableFiles.h"

namespace zelva::standards {

namespace {

// The line that opens section [fieldId]: its first four characters (the whole
// line if shorter) are the bracketed number, so "[1]" must stand alone.
bool opensSection(std::string_view line, const std::string& header) {
    return line.substr(0, 4) == header;
}

// Room for a shipped group's standards (up to 65) at once.
constexpr size_t kStandardsRoom = 128;

}  // namespace

IndexRead ReadIndexFile(files::FileSystem& files, const std::string& path, int16_t fieldId, env::EntrySizes* nominals) {
    IndexRead read;
    read.standards.reserve(kStandardsRoom);
    if (nominals) nominals->restart();
    std::unique_ptr<files::LineReader> file;
    std::optional<NumberedLines> lines;
    try {
        file = files.openForReading(path);
        lines.emplace(*file);
        const std::string header = "[" + std::to_string(fieldId) + "]";
        while (!opensSection(lines->read(), header)) {
        }
        while (!lines->atEnd()) {
            const std::string& line = lines->read();
            if (line.starts_with('[')) break;
            if (line.empty() || line.starts_with('#')) continue;
            const std::string_view name = quotedFieldView(line, 2);
            read.standards.push_back({std::string(name), lines->number()});
            if (nominals && !nominals->reuse(line)) nominals->add(line, nominalDiameterAfterName(line, name));
        }
    } catch (const Error& failure) {
        read.failure = ReadFailure{failure, path, path, lines.has_value(), lines ? lines->linesRead() : 0};
    }
    return read;
}

ui::Message IndexFailureMessage(const ReadFailure& failure, int16_t fieldId) {
    return readFailureMessage(failure.error, "QNorma", failure.shownName,
                              "FieldID [" + numberToText(fieldId) + "] not found");
}

}  // namespace zelva::standards
