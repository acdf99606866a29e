#pragma once
// A table reader's message box as an administrator reads it: what is wrong with
// the file in the table's words, then the component's own message, its number
// and the text the user would read, its line breaks shown as " / ".

#include <string>

#include "core/ui/Ui.h"

namespace zelva::checker {

// The two readers the dialog runs: the index file's (its list of standards)
// and one standard's data file's (its lengths and pitches).
enum class TableReader { Index, Data };

// `number` is the reader's failure, `box` the message the user sees for it and
// `file` the file the reader was reading, or wanted to open, as findings name it.
std::string explainReaderMessage(int number, const ui::Message& box, TableReader reader, const std::string& file);

// The component's own message: "the component shows message box N: text".
std::string componentMessage(int number, const ui::Message& box);

}  // namespace zelva::checker
