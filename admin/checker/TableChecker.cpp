#include "admin/checker/TableChecker.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <set>

#include "admin/checker/ByteChecks.h"
#include "admin/checker/DiameterChecks.h"
#include "admin/checker/DroppedLines.h"
#include "admin/checker/IndexEntries.h"
#include "admin/checker/ListItems.h"
#include "admin/checker/ReadLog.h"
#include "admin/checker/ReaderMessage.h"
#include "admin/checker/TreeSettings.h"
#include "admin/checker/WindowsNames.h"
#include "core/texts/LanguageTag.h"
#include "core/texts/Languages.h"
#include "core/env/Module.h"
#include "core/files/PathMapping.h"
#include "core/env/Settings.h"
#include "core/forms/StandardsIndex.h"
#include "core/standards/ThreadTableFiles.h"

namespace zelva::checker {

namespace fs = std::filesystem;

namespace {

// The settings values that make one tab.
constexpr const char* kTabValues[] = {env::kNormeDirValue, env::kDataValue, env::kFileIniValue};
// Those the component reads of the first tab's settings for every tab.
constexpr const char* kFirstTabOnly[] = {env::kDataValue, env::kFileIniValue};

// A line of a file, where a finding is reported.
struct Place {
    std::string file;
    int line;
};

// The readers hand their failures back as values; nothing is shown.
class NoScreen : public ui::Ui {
public:
    void showModal(ui::Form&) override {}
    void messageBox(const ui::Message&) override {}
};

// A path the component composed, on this system, found as Windows finds it.
fs::path localPath(const std::string& componentPath) {
    return fs::u8path(findAsWindows(files::mapWindowsPath(componentPath)));
}

// An absolute path without "." or ".." and without a closing separator: an
// installed ApplDir is written as the folder followed by "\.".
fs::path normalPath(const fs::path& path) {
    fs::path normal = fs::absolute(path).lexically_normal();
    return normal.has_filename() ? normal : normal.parent_path();
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Data#0 names a folder when it ends with a separator; else a prefix of each data file's name.
bool endsWithSeparator(const std::string& componentPath) {
    return !componentPath.empty() && (componentPath.back() == '\\' || componentPath.back() == '/');
}

template <size_t N>
std::string namesOf(const texts::Language (&languages)[N]) {
    std::string names;
    for (const texts::Language& l : languages) names += (names.empty() ? "" : ", ") + std::string(l.name);
    return names;
}

class Checker {
public:
    explicit Checker(const fs::path& root)
        : settings_(loadTreeSettings(root)), root_(normalPath(settings_.root)), library_(settings_.registry),
          log_(files_), module_(library_, ui_, log_) {}

    std::string checked() const {
        return "checking the tables of " + normalPath(localPath(settings_.applDir)).string() + " with the settings of " +
               (settings_.lines.empty() ? settings_.source : (root_ / settings_.source).string());
    }

    std::vector<Finding> run() {
        if (!settings_.lines.empty())
            checkFileBytes(settings_.source, readBytes(root_ / settings_.source), FileKind::Settings);
        checkLanguage();
        for (int16_t tab = 0;; ++tab) {
            const std::string n = std::to_string(tab);
            const std::string caption = env::GetNormeSetting(module_, n);
            if (caption.empty()) break;
            if (checkTabSettings(n, caption)) checkGroup(tab, n);
        }
        reportUnreached();
        for (Finding& f : findings_) f.message = escapeLineEnds(f.message);
        return std::move(findings_);
    }

private:
    // Paths as the findings name them: relative to the checked tree, '/' between folders.
    std::string shown(const std::string& componentPath) const {
        const fs::path local = normalPath(localPath(componentPath));
        const std::string path = local.lexically_relative(root_).generic_string();
        return path.empty() || path.rfind("..", 0) == 0 ? local.generic_string() : path;
    }

    void add(const std::string& file, int line, Level level, std::string message) {
        findings_.push_back({file, line, level, std::move(message)});
    }

    void addAll(std::vector<Finding> found) {
        for (Finding& f : found) findings_.push_back(std::move(f));
    }

    void checkFileBytes(const std::string& file, const std::string& bytes, FileKind kind) {
        if (bytesChecked_.insert(file).second) addAll(checkBytes(bytes, file, kind));
    }

    void checkLanguage() {
        // Without a value the component shows English texts, as the package's default does.
        const std::string* value = settings_.registry.read(host::registry::LocalMachine, env::kFamilyKey, env::kLanguageValue);
        if (!value || texts::languageBaseOf(*value)) return;
        add(settings_.source, settings_.lineOf(env::kLanguageValue), Level::Error,
            "Language \"" + *value + "\" names none of the languages the component knows (" + namesOf(texts::kLanguages) +
                ", case matters; or a language tag of " + namesOf(texts::kCompleteSets) + " such as de-CH), so it shows the English texts");
    }

    // False when the tab cannot reach its files, already reported.
    bool checkTabSettings(const std::string& n, const std::string& caption) {
        const int line = settings_.lineOf(env::kNormeValue + n);
        bool complete = true;
        for (const char* value : kTabValues)
            if (readSetting(value + n).empty()) {
                add(settings_.source, line, Level::Error, "tab " + n + " \"" + caption + "\" has no value " + value + n);
                complete = false;
            }
        if (n == "0") return complete;
        for (const char* value : kFirstTabOnly) {
            const std::string own = readSetting(value + n);
            if (!own.empty() && own != readSetting(value + std::string("0")))
                add(settings_.source, settings_.lineOf(value + n), Level::Warning,
                    std::string(value) + n + " is not used: the component reads " + value + "0 for every tab");
        }
        return complete;
    }

    std::string readSetting(const std::string& name) {
        const std::string* value = settings_.registry.read(host::registry::LocalMachine, env::kProductKey, name);
        return value ? *value : std::string();
    }

    // False when the folder a setting names does not exist, which is then reported at the setting.
    bool folderExists(const std::string& componentPath, const std::string& setting) {
        if (fs::is_directory(localPath(componentPath))) return true;
        add(settings_.source, settings_.lineOf(setting), Level::Error,
            setting + " names the folder " + shown(componentPath) + ", which does not exist");
        return false;
    }

    void checkGroup(int16_t tab, const std::string& n) {
        module_.CurrentNorma = tab;
        env::InitPaths(module_);
        env::LoadStandardFiles(module_, 0);
        const std::string index = forms::indexFilePath(module_);
        reachedFolders_.insert(normalPath(localPath(module_.StandardsDir)));
        reachedIndexes_.insert(normalPath(localPath(index)));
        if (!groupsChecked_.insert(index).second) return;
        if (!folderExists(module_.StandardsDir, env::kNormeDirValue + n)) return;

        const std::string indexFile = shown(index);
        if (fs::is_regular_file(localPath(index))) {
            const std::string bytes = readBytes(localPath(index));
            checkFileBytes(indexFile, bytes, FileKind::Table);
            addAll(checkIndexEntries(indexFile, componentLines(bytes),
                                     "[" + std::to_string(forms::kStandardsSection) + "]"));
        }
        const standards::IndexRead read = standards::ReadIndexFile(log_, index, forms::kStandardsSection);
        if (read.failure) {
            report(*read.failure, standards::IndexFailureMessage(*read.failure, forms::kStandardsSection),
                   TableReader::Index, {indexFile, 0});
        }
        if (read.standards.empty()) return;
        // Each standard's item data is its entry's line.
        for (const ui::ListItem& s : read.standards) checkDiameter(index, static_cast<int16_t>(s.data));
        if (endsWithSeparator(module_.DataFilePath) && !folderExists(module_.DataFilePath, env::kDataValue + std::string("0")))
            return;
        for (const ui::ListItem& s : read.standards) checkStandard(index, static_cast<int16_t>(s.data));
    }

    void checkDiameter(const std::string& index, int16_t lineNo) {
        const std::string entry = standards::EntryLine(files_, index, lineNo);
        addAll(checkNominalDiameter(shown(index), lineNo, entry));
    }

    void checkStandard(const std::string& index, int16_t lineNo) {
        log_.clear();
        const standards::ThreadData data = standards::ReadThreadData(log_, index, module_.DataFilePath, lineNo);
        if (data.failure) {
            report(*data.failure, standards::DataFailureMessage(*data.failure), TableReader::Data,
                   {shown(index), lineNo});
        }
        const auto& reads = log_.reads();
        if (reads.size() < 2 || !reads.back().opened) return;  // its data file did not open
        const FileRead& dataFile = reads.back();
        const std::string file = shown(dataFile.path);
        checkFileBytes(file, readBytes(localPath(dataFile.path)), FileKind::Table);
        addAll(checkDroppedLines(file, dataFile.lines));
        addAll(checkListItems(file, dataFile.lines, itemsOf(data.lengths), itemsOf(data.pitches)));
    }

    static std::vector<std::string> itemsOf(const std::optional<standards::ListRead>& list) {
        return list ? list->items : std::vector<std::string>();
    }

    // A reader's failure as a finding at the line where it stopped (or at
    // `opening` when the file it wanted does not open); an error already
    // found at that line gains the component's message instead.
    void report(const standards::ReadFailure& failure, const ui::Message& box, TableReader reader,
                const Place& opening) {
        const Place at = failure.opened ? Place{shown(failure.path), std::max(1, failure.linesRead)} : opening;
        const int number = failure.error.number();
        if (Finding* found = errorAt(at)) {
            found->message += "; " + componentMessage(number, box);
            return;
        }
        add(at.file, at.line, Level::Error, explainReaderMessage(number, box, reader, shown(failure.path)));
    }

    Finding* errorAt(const Place& at) {
        for (Finding& f : findings_)
            if (f.level == Level::Error && f.file == at.file && f.line == at.line) return &f;
        return nullptr;
    }

    // Group folders beside the ones the settings reach (below ApplDir), and
    // index files in a reached folder, that no settings value reaches.
    void reportUnreached() {
        const fs::path applDir = normalPath(localPath(settings_.applDir));
        std::set<fs::path> parents;
        for (const fs::path& folder : reachedFolders_) {
            const std::string below = folder.parent_path().lexically_relative(applDir).generic_string();
            if (!below.empty() && below != "." && below.rfind("..", 0) != 0) parents.insert(folder.parent_path());
        }
        std::error_code ec;
        for (const fs::path& parent : parents)
            for (const auto& entry : fs::directory_iterator(parent, ec))
                if (entry.is_directory() && !reachedFolders_.count(normalPath(entry.path())))
                    add(shown(entry.path().string()), 0, Level::Warning,
                        "no tab's Norme Dir# value reaches this group folder");
        for (const fs::path& folder : reachedFolders_) {
            for (const auto& entry : fs::directory_iterator(folder, ec))
                if (entry.is_regular_file() && entry.path().extension() == ".ini" &&
                    !reachedIndexes_.count(normalPath(entry.path())))
                    add(shown(entry.path().string()), 0, Level::Warning,
                        "no File INI# value reaches this index file");
        }
    }

    TreeSettings settings_;
    fs::path root_;
    SettingsLibrary library_;
    files::LocalFileSystem files_;
    ReadLog log_;
    NoScreen ui_;
    env::Module module_;
    std::vector<Finding> findings_;
    std::set<std::string> bytesChecked_;
    std::set<std::string> groupsChecked_;
    std::set<fs::path> reachedFolders_;
    std::set<fs::path> reachedIndexes_;
};

}  // namespace

std::vector<Finding> checkTree(const fs::path& root, std::string* checked) {
    Checker checker(root);
    if (checked) *checked = checker.checked();
    return checker.run();
}

}  // namespace zelva::checker
