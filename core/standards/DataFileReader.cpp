#include <optional>

#include "core/automation/NumberRules.h"
#include "core/standards/QuoteSearch.h"
#include "core/standards/ReadFailureMessage.h"
#include "core/standards/ThreadTableFiles.h"

namespace zelva::standards {

namespace {

// A list section's room at its first item: a shipped standard lists up to 23 lengths.
constexpr size_t kItemsRoom = 32;

// A data file read with the lines it has handed out counted, for the place of a failure.
class CountedLines {
public:
    explicit CountedLines(files::LineReader& file) : file_(file) {}
    bool atEnd() { return file_.atEnd(); }
    const std::string& read() {
        const std::string& line = file_.readLine();
        ++count_;
        return line;
    }
    int count() const { return count_; }

private:
    files::LineReader& file_;
    int count_ = 0;
};

// The section ends at its first blank line, which it consumes, or at the end of
// the file. Lines starting with "#" are comments; every other line is an item.
void readSection(CountedLines& file, ListRead& list) {
    while (!file.atEnd()) {
        const std::string& line = file.read();
        const std::string_view item = trimSpacesView(line);
        if (item.empty()) break;
        if (line.starts_with('#')) continue;
        if (list.items.empty()) list.items.reserve(kItemsRoom);
        list.items.emplace_back(item);
    }
    // The dialog selects the section's first item, which an empty section lacks.
    if (list.items.empty()) throw Error::runtime(err::InvalidPropertyValue);
    list.complete = true;
}

// Every line between the sections is ignored, comment lines ("@" or "#" first)
// and blank lines included. Each header starts its list anew.
void readSections(CountedLines& file, ThreadData& data) {
    while (!file.atEnd()) {
        const std::string_view text = trimSpacesView(file.read());
        if (text == kLengthsHeader) {
            readSection(file, data.lengths.emplace());
        } else if (text == kPitchesHeader) {
            readSection(file, data.pitches.emplace());
        }
    }
}

// Line `lineNo` of the index file, closed again on return; `opened` and
// `linesRead` follow the reading for the place of a failure.
std::string readEntryLine(files::FileSystem& files, const std::string& path, int16_t lineNo, bool& opened,
                          int& linesRead) {
    const auto file = files.openForReading(path);
    opened = true;
    std::string line;
    for (int n = 1; n <= lineNo; ++n, ++linesRead) line = file->readLine();
    return line;
}

}  // namespace

std::string EntryLine(files::FileSystem& files, const std::string& path, int16_t lineNo) {
    bool opened = false;
    int linesRead = 0;
    return readEntryLine(files, path, lineNo, opened, linesRead);
}

ThreadData ReadThreadData(files::FileSystem& files, const std::string& path, const std::string& dataDir,
                          int16_t lineNo) {
    ThreadData data;
    // Where the reading is: the index file, then the data file once its entry names it.
    std::optional<std::string> dataFile;
    bool opened = false;
    int linesRead = 0;
    try {
        // The index is closed again before the entry's data file is opened.
        const std::string entry = readEntryLine(files, path, lineNo, opened, linesRead);
        data.description = quotedField(entry, 3);
        dataFile = quotedField(entry, 1);
        opened = false;
        linesRead = 0;
        const auto file = files.openForReading(dataDir + *dataFile);
        opened = true;
        CountedLines lines(*file);
        try {
            readSections(lines, data);
        } catch (const Error&) {
            linesRead = lines.count();
            throw;
        }
    } catch (const Error& failure) {
        data.failure = dataFile ? ReadFailure{failure, *dataFile, dataDir + *dataFile, opened, linesRead}
                                : ReadFailure{failure, path, path, opened, linesRead};
    }
    return data;
}

std::vector<std::string> ReadPitches(files::LineReader& file) {
    CountedLines lines(file);
    ThreadData data;
    readSections(lines, data);
    return data.pitches ? std::move(data.pitches->items) : std::vector<std::string>();
}

ui::Message DataFailureMessage(const ReadFailure& failure) {
    return readFailureMessage(failure.error, "QData", failure.shownName);
}

}  // namespace zelva::standards
