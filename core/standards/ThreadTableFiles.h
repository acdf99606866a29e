#pragma once
// Readers of the thread table files: the index file of a standards group, which
// lists its standards one entry line each, and the data file of one standard,
// which lists its lengths under "[Lunghezze]" and its pitches under "[Passi]".
// They return what they read, and where they stopped on a failure; the dialog's
// QNorma and QData copy that into its controls and show the failure's message.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/automation/Error.h"
#include "core/env/EntrySizes.h"
#include "core/env/Module.h"
#include "core/files/TextFiles.h"
#include "core/ui/Controls.h"
#include "core/ui/Ui.h"

namespace zelva::standards {

// The data file's two list sections.
inline constexpr const char* kLengthsHeader = "[Lunghezze]";
inline constexpr const char* kPitchesHeader = "[Passi]";

// Where a reader stopped when it failed: the failure, the file its message
// names, and the file it was reading (or could not open) with the lines it read.
struct ReadFailure {
    Error error;
    std::string shownName;  // the index file's path, or a data file's name from its entry
    std::string path;
    bool opened = false;
    int linesRead = 0;
};

// The standards of a section, up to a failure if the reading failed, as the
// dialog lists them: each entry's field 2, with its line number as item data.
struct IndexRead {
    std::vector<ui::ListItem> standards;
    std::optional<ReadFailure> failure;
};

// Reads section [fieldId] of the index file at `path`, which runs to the next
// line starting with "[" or to the end of the file. With `nominals`, each
// standard's nominal diameter (if its entry states one) is kept there too.
IndexRead ReadIndexFile(files::FileSystem& files, const std::string& path, int16_t fieldId,
                        env::EntrySizes* nominals = nullptr);

// A list section of a data file: its items up to a blank line or the end of the
// file, and whether it was read to that end (the dialog then selects its first
// item; an empty section fails there, 380).
struct ListRead {
    std::vector<std::string> items;
    bool complete = false;
};

// One standard's thread data: the entry's field 3, and the last "[Lunghezze]"
// and "[Passi]" sections of its data file; each is absent when the reading
// stopped or the file holds no such section before it.
struct ThreadData {
    std::optional<std::string> description;
    std::optional<ListRead> lengths;
    std::optional<ListRead> pitches;
    std::optional<ReadFailure> failure;
};

// Reads the entry on line `lineNo` of the index file at `path`, then the data
// file `dataDir` + its field 1.
ThreadData ReadThreadData(files::FileSystem& files, const std::string& path, const std::string& dataDir,
                          int16_t lineNo);

// The one message box each reader shows when it fails.
ui::Message IndexFailureMessage(const ReadFailure& failure, int16_t fieldId);
ui::Message DataFailureMessage(const ReadFailure& failure);

// The dialog's readers. QNorma fills `list` with the standards of section
// [fieldId], each item carrying its entry's line number as item data, and
// returns 0, or the failure's error code after its message box. QData shows
// the entry's description in `description` and fills `lengths` and `pitches`,
// each list read to its end showing its first item; a failure ends the call
// after its message box.
int16_t QNorma(env::Module& m, const std::string& path, int16_t fieldId, ui::ComboBox& list,
               env::EntrySizes* nominals = nullptr);
void QData(env::Module& m, const std::string& path, const std::string& dataDir, int16_t lineNo,
           ui::ComboBox& lengths, ui::ComboBox& pitches, ui::Label& description);

// Line `lineNo` of the index file at `path` (empty when lineNo is not positive).
// Failures propagate to the caller.
std::string EntryLine(files::FileSystem& files, const std::string& path, int16_t lineNo);

// The pitches a data file lists, as its last "[Passi]" section holds them.
// Failures propagate to the caller.
std::vector<std::string> ReadPitches(files::LineReader& file);

}  // namespace zelva::standards
