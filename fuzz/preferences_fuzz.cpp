// Fuzz target of the preferences file. The input is read as the preferences of
// a dialog with three tabs; besides the sanitizers' findings it stops on a
// broken promise: at most one message box, the current standards group always
// the tab the dialog shows, the chamfer box holding 0, 1 or 2, and preferences
// that were read without complaint written back and read again unchanged.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/automation/NumberRules.h"
#include "core/env/Preferences.h"
#include "tests/support/TableReaderFakes.h"

namespace {

using namespace zelva;

void require(bool promiseKept, const char* promise) {
    if (promiseKept) return;
    std::fprintf(stderr, "preferences broke a promise: %s\n", promise);
    std::abort();
}

// One preferences file held in memory.
class PreferencesFile : public files::FileSystem {
public:
    explicit PreferencesFile(std::string bytes) : bytes_(std::move(bytes)) {}

    std::unique_ptr<files::LineReader> openForReading(const std::string&) override {
        return files::readLinesFrom(bytes_);
    }
    std::unique_ptr<files::LineWriter> openForWriting(const std::string&) override {
        struct Writer : files::LineWriter {
            PreferencesFile& file;
            std::string written;
            explicit Writer(PreferencesFile& f) : file(f) {}
            void writeLine(const std::string& line) override { written += files::utf8ToAnsi(line) + "\r\n"; }
            void commit() override { file.bytes_ = written; }
        };
        return std::make_unique<Writer>(*this);
    }

private:
    std::string bytes_;
};

// Positions are written with single precision's 7 significant digits, so they
// come back to within that; texts come back exactly but for the blanks a text cut
// at a NUL may end with, which the next reading trims.
bool samePosition(float a, float b) { return a == b || std::fabs(a - b) <= 1e-6f * std::fabs(a); }

struct DialogState {
    float top, left;
    int16_t tab, chamfer;
    std::string length, pitch;
    bool operator==(const DialogState& o) const {
        return samePosition(top, o.top) && samePosition(left, o.left) && tab == o.tab && chamfer == o.chamfer &&
               trimSpaces(length) == trimSpaces(o.length) && trimSpaces(pitch) == trimSpaces(o.pitch);
    }
};

DialogState stateOf(env::Module& m) {
    const ui::Dialog& d = m.dialog();
    return {d.top, d.left, d.TabNorme.tab(), d.ToggleSmusso.value(), d.Lunghezza.text(), d.Passo.text()};
}

size_t readInto(fakes::RecordingUi& ui, env::Module& m) {
    m.dialog().TabNorme.setTabs(3);
    const size_t before = ui.boxes.size();
    env::ReadPrefs(m);
    require(ui.boxes.size() <= before + 1, "ReadPrefs shows at most one message");
    require(m.CurrentNorma == m.dialog().TabNorme.tab(), "the current group is the tab shown");
    require(m.dialog().ToggleSmusso.value() >= 0 && m.dialog().ToggleSmusso.value() <= 2, "chamfer is 0, 1 or 2");
    return ui.boxes.size() - before;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PreferencesFile file(std::string(reinterpret_cast<const char*>(data), size));
    fakes::RecordingUi ui;
    fakes::UnusedHostLibrary host;
    env::Module m(host, ui, file);
    if (readInto(ui, m) != 0) return 0;

    const DialogState read = stateOf(m);
    env::WritePrefs(m);
    require(ui.boxes.empty(), "preferences that were read can be written");
    env::Module again(host, ui, file);
    readInto(ui, again);
    require(ui.boxes.empty(), "written preferences read without complaint");
    require(stateOf(again) == read, "written preferences read back unchanged");
    return 0;
}
