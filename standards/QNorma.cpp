#include <limits>
#include <string>
#include <string_view>

#include "automation/NumberRules.h"
#include "standards/NominalSizes.h"
#include "standards/NumberedLines.h"
#include "standards/QuoteSearch.h"
#include "standards/ReadFailureMessage.h"
#include "standards/ThreadTableFiles.h"

namespace zelva::standards {

namespace {

// The line that opens section [fieldId]: its first four characters (the whole
// line if shorter) are the bracketed number, so "[1]" must stand alone.
bool opensSection(std::string_view line, const std::string& header) {
    return line.substr(0, 4) == header;
}

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
    try {
        list.clear();
        if (nominals) nominals->restart();
        const auto file = m.files.openForReading(path);
        NumberedLines lines(*file);
        const std::string header = "[" + std::to_string(fieldId) + "]";
        while (!opensSection(lines.read(), header)) {
        }
        // The section runs to the next line starting with "[" or to the end of the file.
        while (!lines.atEnd()) {
            const std::string& line = lines.read();
            if (line.starts_with('[')) break;
            if (line.empty() || line.starts_with('#')) continue;
            const std::string_view name = quotedFieldView(line, 2);
            list.addItem(std::string(name));
            list.setItemData(list.newIndex(), lines.number());
            if (nominals && !nominals->reuse(line)) nominals->add(line, nominalDiameterAfterName(line, name));
        }
        return 0;
    } catch (const Error& failure) {
        m.ui.messageBox(readFailureMessage(failure, "QNorma", path,
                                           "FieldID [" + numberToText(fieldId) + "] not found"));
        return resultCode(failure);
    }
}

}  // namespace zelva::standards
