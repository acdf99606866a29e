#include "automation/NumberRules.h"
#include "standards/QuoteSearch.h"
#include "standards/ReadFailureMessage.h"
#include "standards/ThreadTableFiles.h"

namespace zelva::standards {

// The file is closed again before the entry's data file is opened.
std::string EntryLine(env::FileSystem& files, const std::string& path, int16_t lineNo) {
    const auto file = files.openForReading(path);
    std::string line;
    for (int n = 1; n <= lineNo; ++n) line = file->readLine();
    return line;
}

// Every line between the sections is ignored, comment lines ("@" or "#" first)
// and blank lines included.
void ReadDataFile(env::LineReader& file, ui::ComboBox& lengths, ui::ComboBox& pitches) {
    while (!file.atEnd()) {
        const std::string_view text = trimSpacesView(file.readLine());
        if (text == "[Lunghezze]") {
            ReadSectionList(file, lengths);
        } else if (text == "[Passi]") {
            ReadSectionList(file, pitches);
        }
    }
}

void QData(env::Module& m, const std::string& path, const std::string& dataDir, int16_t lineNo,
           ui::ComboBox& lengths, ui::ComboBox& pitches, ui::Label& description) {
    std::string shownName = path;  // the file a message names: the index file, then the data file
    try {
        const std::string entry = EntryLine(m.files, path, lineNo);
        description.caption = quotedField(entry, 3);
        const std::string dataFile = quotedField(entry, 1);
        shownName = dataFile;
        const auto file = m.files.openForReading(dataDir + dataFile);
        ReadDataFile(*file, lengths, pitches);
    } catch (const Error& failure) {
        m.ui.messageBox(readFailureMessage(failure, "QData", shownName));
    }
}

}  // namespace zelva::standards
