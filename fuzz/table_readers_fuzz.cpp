// Fuzz target of the thread table readers. Each input is read twice: as an index
// file (QNorma lists section [1], then QData takes the listed entries and one
// line chosen by the input's first byte) and as the data file named by a fixed
// index entry. Besides the sanitizers' findings, it stops on a broken promise:
// a failure shows exactly one message box and success none, every file is
// closed again, only one is open at a time, and the standards list carries
// line numbers in file order.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "tests/support/TableReaderFakes.h"
#include "core/standards/ThreadTableFiles.h"

namespace {

namespace fs = std::filesystem;
using namespace zelva;

void require(bool promiseKept, const char* promise) {
    if (promiseKept) return;
    std::fprintf(stderr, "thread table readers broke a promise: %s\n", promise);
    std::abort();
}

// The files one run reads, in a folder of this process that is removed at exit.
class Workspace {
public:
    Workspace() : root_(fs::temp_directory_path() / ("zelva_fuzz_" + std::to_string(std::random_device()()))) {
        fs::create_directories(root_ / "Data");
        write(fixedIndex, "\"data.txt\" \"Fuzz\" \"input read as a data file\"\r\n");
    }
    ~Workspace() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    void write(const std::string& path, const std::string& bytes) const {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    bool holds(const std::string& path) const { return path == index || path == fixedIndex || path == dataFile; }

    const fs::path root_;
    const std::string index = (root_ / "index.ini").string();
    const std::string fixedIndex = (root_ / "fixed.ini").string();
    const std::string dataDir = (root_ / "Data").string() + "/";
    const std::string dataFile = dataDir + "data.txt";
};

struct Dialog {
    ui::ComboBox standards, lengths, pitches;
    ui::Label description;
};

void checkStandardsList(const ui::ComboBox& list) {
    int32_t previous = 0;
    for (int i = 0; i < list.listCount(); ++i) {
        require(list.itemData(i) > previous, "item data are increasing line numbers");
        previous = list.itemData(i);
    }
}

void takeEntry(fakes::FakeModule& env, Dialog& dialog, const std::string& index, const std::string& dataDir,
               int16_t lineNo) {
    const size_t before = env.ui.boxes.size();
    env.files.openAtMost = 0;
    standards::QData(env.module, index, dataDir, lineNo, dialog.lengths, dialog.pitches, dialog.description);
    require(env.ui.boxes.size() <= before + 1, "QData shows at most one message");
    require(env.files.openNow == 0, "QData closes its files");
    require(env.files.openAtMost <= 1, "QData opens one file at a time");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Workspace workspace;
    const std::string input(reinterpret_cast<const char*>(data), size);
    workspace.write(workspace.index, input);
    workspace.write(workspace.dataFile, input);

    fakes::FakeModule env;
    env.files.allows = [](const std::string& path) { return workspace.holds(path); };
    Dialog dialog;

    const int16_t code = standards::QNorma(env.module, workspace.index, 1, dialog.standards);
    require(code >= 0, "QNorma returns 0 or a positive code");
    require(env.ui.boxes.size() == (code == 0 ? 0u : 1u), "QNorma shows one message exactly when it fails");
    require(env.files.openNow == 0, "QNorma closes its file");
    checkStandardsList(dialog.standards);

    for (int i = 0; i < dialog.standards.listCount() && i < 4; ++i) {
        takeEntry(env, dialog, workspace.index, workspace.dataDir,
                  static_cast<int16_t>(dialog.standards.itemData(i)));
    }
    if (size > 0) takeEntry(env, dialog, workspace.index, workspace.dataDir, static_cast<int8_t>(data[0]));
    takeEntry(env, dialog, workspace.fixedIndex, workspace.dataDir, 1);
    return 0;
}
