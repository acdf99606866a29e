#pragma once
// Readers of the thread table files: the index file of a standards group, which
// lists its standards one entry line each, and the data file of one standard,
// which lists its lengths under "[Lunghezze]" and its pitches under "[Passi]".
// They fill the thread parameter dialog's controls straight from the files.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "env/Module.h"
#include "env/TextFiles.h"
#include "ui/Controls.h"

namespace zelva::standards {

// The data file's two list sections.
inline constexpr const char* kLengthsHeader = "[Lunghezze]";
inline constexpr const char* kPitchesHeader = "[Passi]";

// Fills `list` with field 2 of each entry of section [fieldId] of the index file
// at `path`, each item carrying its entry's line number as item data. Returns 0,
// or the failure's error code after one message box. With `nominals`, each
// item's nominal diameter (if its entry states one) is kept there, item by item.
int16_t QNorma(env::Module& m, const std::string& path, int16_t fieldId, ui::ComboBox& list,
               env::EntrySizes* nominals = nullptr);

// Takes the entry on line `lineNo` of the index file at `path`: its field 3
// becomes the caption of `description`, and the data file `dataDir` + field 1
// fills `lengths` and `pitches`. A failure ends the call after one message box.
void QData(env::Module& m, const std::string& path, const std::string& dataDir, int16_t lineNo,
           ui::ComboBox& lengths, ui::ComboBox& pitches, ui::Label& description);

// Line `lineNo` of the index file at `path` (empty when lineNo is not positive).
// Failures propagate to the caller.
std::string EntryLine(env::FileSystem& files, const std::string& path, int16_t lineNo);

// One pass over a standard's data file: each "[Lunghezze]" or "[Passi]" header
// refills its list. Failures propagate to the caller.
void ReadDataFile(env::LineReader& file, ui::ComboBox& lengths, ui::ComboBox& pitches);

// Reads the list section whose header `file` has just passed into `list` and
// selects its first item. Failures propagate to the caller.
void ReadSectionList(env::LineReader& file, ui::ComboBox& list);

}  // namespace zelva::standards
