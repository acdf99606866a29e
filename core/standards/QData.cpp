#include "core/standards/ThreadTableFiles.h"

namespace zelva::standards {

namespace {

// A list read to its end shows its first item; one cut short, nothing.
void fillList(ui::ComboBox& list, ListRead& read) {
    list.clear();
    for (std::string& item : read.items) list.addItem(std::move(item));
    if (read.complete) list.setListIndex(0);
}

}  // namespace

void QData(env::Module& m, const std::string& path, const std::string& dataDir, int16_t lineNo,
           ui::ComboBox& lengths, ui::ComboBox& pitches, ui::Label& description) {
    ThreadData data = ReadThreadData(m.files, path, dataDir, lineNo);
    if (data.description) description.caption = std::move(*data.description);
    if (data.lengths) fillList(lengths, *data.lengths);
    if (data.pitches) fillList(pitches, *data.pitches);
    if (data.failure) m.ui.messageBox(DataFailureMessage(*data.failure));
}

}  // namespace zelva::standards
