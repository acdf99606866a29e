#pragma once
// The one message box a thread table reader shows when it fails: a missing
// file with the exclamation icon, every other failure with the critical icon.

#include <string>
#include <string_view>

#include "core/automation/Error.h"
#include "core/ui/Ui.h"

namespace zelva::standards {

// `procedure` names the reader ("QNorma", "QData"), `fileName` the file as the
// user should see it; `pastEndNote` follows the end-of-file text on a new line
// (none when empty).
ui::Message readFailureMessage(const Error& failure, std::string_view procedure,
                                  const std::string& fileName, const std::string& pastEndNote = {});

}  // namespace zelva::standards
