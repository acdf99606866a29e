#include "core/standards/ThreadCatalog.h"

#include <limits>

#include "core/automation/Error.h"
#include "core/automation/NumberRules.h"
#include "core/env/Settings.h"
#include "core/standards/NominalSizes.h"
#include "core/standards/NumberedLines.h"
#include "core/standards/QuoteSearch.h"

namespace zelva::standards {

namespace {
// The index file's section of standards: the header line stands alone, as the dialog reads it.
constexpr std::string_view kStandardsHeader = "[1]";
}  // namespace

ThreadCatalog& ThreadCatalog::of(env::Module& m) {
    if (m.Catalog) return *m.Catalog;
    auto catalog = std::make_shared<ThreadCatalog>();
    // Tab 0's index file name and data folder serve every group, as in the dialog.
    const std::string applDir = env::GetApplDir(m);
    const std::string indexName = env::GetFileIniSetting(m, "0");
    const std::string dataName = env::GetDataSetting(m, "0");
    for (int n = 0; n <= std::numeric_limits<int16_t>::max(); ++n) {
        const std::string tab = std::to_string(n);
        if (env::GetNormeSetting(m, tab).empty()) break;
        const std::string groupDir = applDir + env::GetNormeDirSetting(m, tab);
        catalog->readGroup(m.files, groupDir + indexName, groupDir + dataName);
    }
    m.Catalog = std::move(catalog);
    return *m.Catalog;
}

// A group whose index cannot be read adds the standards read before the
// failure: a drawing is no place for the dialog's messages.
void ThreadCatalog::readGroup(files::FileSystem& files, const std::string& indexPath, const std::string& dataDir) {
    try {
        const auto file = files.openForReading(indexPath);
        NumberedLines lines(*file);
        while (lines.read() != kStandardsHeader) {
        }
        while (!lines.atEnd()) {
            const std::string& line = lines.read();
            if (line.starts_with('[')) break;
            if (line.empty() || line.starts_with('#')) continue;
            standards_.push_back({quotedField(line, 2), dataDir + quotedField(line, 1), std::nullopt});
            nominals_.push_back(nominalDiameter(line));
        }
    } catch (const Error&) {
    }
}

std::optional<std::string> ThreadCatalog::nameOfPin(files::FileSystem& files, double diameter, double pitch) {
    const auto found = standardOfPin(nominals_, diameter, pitch, [&](size_t i) {
        Standard& s = standards_[i];
        if (!s.pitches) s.pitches = listedPitches(files, s.dataPath);
        return *s.pitches;
    });
    if (!found) return std::nullopt;
    return standards_[*found].name;
}

}  // namespace zelva::standards
