#include "automation/NumberRules.h"
#include "standards/ThreadTableFiles.h"

namespace zelva::standards {

// The section ends at its first blank line, which it consumes, or at the end of
// the file. Lines starting with "#" are comments; every other line is an item.
void ReadSectionList(env::LineReader& file, ui::ComboBox& list) {
    list.clear();
    while (!file.atEnd()) {
        const std::string& line = file.readLine();
        const std::string_view item = trimSpacesView(line);
        if (item.empty()) break;
        if (!line.starts_with('#')) list.addItem(std::string(item));
    }
    list.setListIndex(0);  // an empty list fails here (380)
}

}  // namespace zelva::standards
