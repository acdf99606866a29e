// Fuzz target of the settings the component reads from the registry. The input
// is NUL-separated registry values, as a settings script with a typo might
// leave them: Language, ApplDir (after this run's own folder), File Prefs, the
// number of standards groups, then Norme#n, Norme Dir#n, Data#n and File INI#n
// of the first groups; the rest of the input is the preferences file. A value
// holds no NUL, as no registry string does. Each input drops the catalog item
// twice: the user visits every tab (up to four) and presses OK, then the
// dialog opens again from the preferences just written and is cancelled.
// Besides the sanitizers' findings, it stops on a broken promise: the language
// is one of the three, a drop shows one form and every form closes. Files are
// read and written only inside the run's folder; elsewhere none exists.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/forms/FormEvents.h"
#include "standin/sim/SimHost.h"
#include "core/ui/HeadlessUi.h"
#include "core/texts/Languages.h"
#include "core/files/PathMapping.h"
#include "core/env/Settings.h"
#include "core/shape/DropHook.h"

namespace {

namespace fs = std::filesystem;
using namespace zelva;

// Groups enough for a strip of several rows. Not the 32,768 that would reach the
// tab counter's overflow: the strip names every tab again as each is added, so
// such an input takes seconds, and a fuzzer would spend its time there.
constexpr long kMostGroups = 200;
constexpr int kFuzzedGroups = 4;
constexpr int kTabsVisited = 4;

void require(bool promiseKept, const char* promise) {
    if (promiseKept) return;
    std::fprintf(stderr, "settings broke a promise: %s\n", promise);
    std::abort();
}

// One run's folder: a standards group of two sizes, made anew for each input
// (a preferences file may be written over any of its files), removed at exit.
class Workspace {
public:
    Workspace() : root(fs::temp_directory_path() / ("zelva_settings_fuzz_" + std::to_string(std::random_device()()))) {}
    ~Workspace() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    void renew() const {
        fs::remove_all(root);
        const fs::path group = root / "Norme" / "G";
        fs::create_directories(group / "Data");
        write(group / "Norme.ini", "[1]\r\n\"a.tab\" \"M6\" \"metric coarse\"\r\n\"b.tab\" \"M8\" \"metric fine\"\r\n");
        write(group / "Data" / "a.tab", "[Lunghezze]\r\n6\r\n10\r\n[Passi]\r\n1\r\n");
        write(group / "Data" / "b.tab", "[Lunghezze]\r\n8\r\n[Passi]\r\n1.25\r\n1\r\n");
    }
    // Whether a path the component names lies in this folder once `..` is resolved.
    bool holds(const std::string& path) const {
        const fs::path p = fs::path(files::mapWindowsPath(path)).lexically_normal();
        return std::mismatch(root.begin(), root.end(), p.begin(), p.end()).first == root.end();
    }
    // Puts `bytes` where the component will look for a file, when that is in this folder.
    void place(const std::string& path, std::string_view bytes) const {
        const fs::path p = files::mapWindowsPath(path);
        std::error_code ec;
        if (holds(path) && fs::is_directory(p.parent_path(), ec) && !fs::is_directory(p, ec)) write(p, bytes);
    }

    const fs::path root;

private:
    static void write(const fs::path& path, std::string_view bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
};

const Workspace& workspace() {
    static const Workspace w;
    return w;
}

// The machine's files, as far as the run's folder reaches: elsewhere nothing
// exists and nothing can be written.
class WorkspaceFiles : public files::FileSystem {
public:
    std::unique_ptr<files::LineReader> openForReading(const std::string& path) override {
        if (!workspace().holds(path)) throw Error::runtime(err::FileNotFound);
        return local_.openForReading(path);
    }
    std::unique_ptr<files::LineWriter> openForWriting(const std::string& path) override {
        if (!workspace().holds(path)) throw Error::runtime(err::PathNotFound);
        return local_.openForWriting(path);
    }
    std::unique_ptr<files::LineReader> openIfPresent(const std::string& path) override {
        return workspace().holds(path) ? local_.openIfPresent(path) : nullptr;
    }

private:
    files::LocalFileSystem local_;
};

// The input cut at its NULs: the next value, or "" once it is used up.
class Values {
public:
    explicit Values(std::string_view input) : rest_(input) {}
    std::string next() {
        const size_t end = rest_.find('\0');
        const std::string value(rest_.substr(0, end));
        rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
        return value;
    }
    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
};

// Any text as a group count: its leading number, held to 0 ... kMostGroups.
long groupCount(const std::string& text) {
    const long n = std::strtol(text.c_str(), nullptr, 10);
    return n < 0 ? 0 : std::min(n, kMostGroups);
}

// Sets the registry values; returns where they put the preferences file.
std::string setSettings(settingsfiles::RegistryStore& registry, Values& in) {
    registry.set(env::kFamilyKey, "Language", in.next());
    const std::string applDir = workspace().root.string() + in.next();
    const std::string prefs = in.next();
    registry.set(env::kFamilyKey, "ApplDir", applDir);
    registry.set(env::kProductKey, "File Prefs", prefs);
    const long groups = groupCount(in.next());
    for (long n = 0; n < groups; ++n) {
        const std::string i = std::to_string(n);
        const bool fuzzed = n < kFuzzedGroups;
        registry.set(env::kProductKey, "Norme#" + i, fuzzed ? in.next() : "Group " + i);
        registry.set(env::kProductKey, "Norme Dir#" + i, fuzzed ? in.next() : "\\Norme\\G\\");
        registry.set(env::kProductKey, "Data#" + i, fuzzed ? in.next() : "Data\\");
        registry.set(env::kProductKey, "File INI#" + i, fuzzed ? in.next() : "Norme.ini");
    }
    return applDir + prefs;
}

// The component loaded into the stand-in host as pinhost loads it, with the
// run's folder for the machine's files.
struct Component {
    Component() : module(host.library(), ui, files) { forms::ConnectFormEvents(module); }
    sim::SimHost host;
    WorkspaceFiles files;
    ui::HeadlessUi ui;
    env::Module module;
};

void drop(Component& c, const Ref<Object>& hook, ui::UserScript answers) {
    c.ui.answerNextForm(std::move(answers));
    const int before = c.ui.formsShown();
    try {
        Variant hookArg = Variant::object(hook);
        makeRef<shape::DropHook>(c.module)->call("OnDragDrop", {ref(hookArg)});
    } catch (const Error&) {
        // A failure handed back to the host as the call's error: allowed.
    } catch (const ui::ImpossibleAction&) {
        // A tab the settings did not make: the form went with the script.
    }
    c.ui.discardAnswers();
    const int16_t language = c.module.LanguageBase;
    const auto isBase = [&](const texts::Language& l) { return l.base == language; };
    require(std::any_of(std::begin(texts::kLanguages), std::end(texts::kLanguages), isBase) ||
                std::any_of(std::begin(texts::kCompleteSets), std::end(texts::kCompleteSets), isBase),
            "the language is one of the text blocks");
    require(c.ui.formsShown() <= before + 1, "a drop shows one form");
    require(!c.module.dialog().loaded(), "the dialog closes");
}

ui::UserScript everyTabThenOk() {
    ui::UserScript script;
    for (int tab = kTabsVisited - 1; tab >= 0; --tab) {
        script.push_back({ui::UserAction::Kind::Tab, tab, {}});
        script.push_back({ui::UserAction::Kind::Standard, 1, {}});
    }
    script.push_back({ui::UserAction::Kind::Ok, 0, {}});
    return script;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    workspace().renew();
    Values in(std::string_view(reinterpret_cast<const char*>(data), size));
    Component c;
    workspace().place(setSettings(c.host.registry(), in), in.rest());

    const auto plate = c.host.addPart("plate");
    const Ref<Object> hook = c.host.makeDropHook(c.host.addCircularEdge(plate, {0, 0, 0}, {0, 0, 1}, 4));
    drop(c, hook, everyTabThenOk());
    drop(c, hook, {{ui::UserAction::Kind::Cancel, 0, {}}});
    return 0;
}
