#pragma once
// A table reader's message box as one line of a finding: the failure's number
// and the text the user would read, its line breaks shown as " / ".

#include <string>

#include "ui/Ui.h"

namespace zelva::tables {

// The number comes from the readers' three kinds of message: a missing file
// (exclamation icon) is 53, "Error Reading …" is 62, and any other message
// begins with "Error" and its number.
std::string describeReaderMessage(const ui::Message& box);

}  // namespace zelva::tables
