#include <limits>

#include "core/standards/ThreadTableFiles.h"

namespace zelva::standards {

namespace {

// The caller treats any result above 0 as a failure, so a failure whose number
// is not a positive 16-bit value is returned as a path/file access error.
int16_t resultCode(const Error& failure) {
    const int number = failure.number();
    return number > 0 && number <= std::numeric_limits<int16_t>::max() ? static_cast<int16_t>(number)
                                                                        : int16_t{err::PathFileAccess};
}

}  // namespace

int16_t QNorma(env::Module& m, const std::string& path, int16_t fieldId, ui::ComboBox& list,
               env::EntrySizes* nominals) {
    list.clear();
    IndexRead read = ReadIndexFile(m.files, path, fieldId, nominals);
    list.setItems(std::move(read.standards));
    if (!read.failure) return 0;
    m.ui.messageBox(IndexFailureMessage(*read.failure, fieldId));
    return resultCode(read.failure->error);
}

}  // namespace zelva::standards
