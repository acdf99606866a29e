// Instruction counts of the thread dialog's opening and of the table readers,
// run under callgrind by bench/run_bench.py, which turns them into ratios:
// - the opening of the dialog on the shipped tables, against a bare getline
//   pass over the very files it reads (probed from one opening);
// - the readers on the shipped tables and on a large generated table, per
//   line read.
// Prints "lines LABEL N" for each measured piece of work: the lines it reads.
// The install tree and the work folder are given by run_bench.py at paths of a
// fixed length, since every file opened costs by the length of its path.

#include <filesystem>
#include <fstream>
#include <iostream>

#include "Callgrind.h"
#include "ProbedFiles.h"
#include "standin/corehost/Session.h"
#include "core/files/PathMapping.h"
#include "core/env/Settings.h"
#include "core/forms/FormEvents.h"
#include "core/shape/DropHook.h"
#include "core/standards/ThreadTableFiles.h"

using namespace zelva;
namespace fs = std::filesystem;

namespace {

constexpr int kRepeats = 20;          // each small piece of work is counted this many times in a row
constexpr int kLargeIndexLines = 32000;
constexpr int kLargeDataItems = 30000;  // half lengths, half pitches

// The install tree in a session keeping no journal, as pinhost runs it.
struct QuietSession : corehost::Session {
    explicit QuietSession(const fs::path& install) : Session(install) { host.keepJournal(false); }
};

constexpr double kHoleRadius = 5;       // an M10's hole: its list lies 20 lines into the index
constexpr double kSmallHoleRadius = 0.5;  // an M1's hole: the index's first standard

struct DroppedOnHole {
    explicit DroppedOnHole(const fs::path& install, double radius = kHoleRadius)
        : session(install),
          hole(session.host.addCircularEdge(session.host.addPart("plate"), {0, 0, 0}, {0, 0, 1}, radius)) {}

    QuietSession session;
    sim::HitSiteRef hole;

    // A drop on the hole's rim: the thread dialog opens and is closed again.
    void openDialog(env::Module& m) {
        Variant hook = Variant::object(session.host.makeDropHook(hole));
        makeRef<shape::DropHook>(m)->call("OnDragDrop", {ref(hook)});
    }
};

// What the dialog's opening costs at least: reading each file it opens, line by line.
long getlinePass(const std::vector<std::string>& paths) {
    long lines = 0;
    for (const std::string& path : paths) {
        std::ifstream in(files::mapWindowsPath(path), std::ios::binary);
        for (std::string line; std::getline(in, line);) ++lines;
    }
    return lines;
}

void countDialogOpening(const fs::path& install) {
    DroppedOnHole drop(install);
    bench::ProbedFiles probe(drop.session.files);
    env::Module probed(drop.session.host.library(), drop.session.ui, probe);
    forms::ConnectFormEvents(probed);
    drop.openDialog(probed);
    std::cout << "lines dialog-opening " << probe.linesRead() << "\n";

    drop.openDialog(drop.session.module);  // the first opening also warms the caches up
    bench::countInstructions("dialog-opening", [&] {
        for (int i = 0; i < kRepeats; ++i) drop.openDialog(drop.session.module);
    });
    long floorLines = 0;
    bench::countInstructions("getline-pass", [&] {
        for (int i = 0; i < kRepeats; ++i) floorLines += getlinePass(probe.opened());
    });
    std::cout << "lines getline-pass " << floorLines / kRepeats << "\n";
}

// Openings of the dialog on a hole of `radius`, with size matching on or off.
void countOpenings(const fs::path& install, const std::string& label, double radius, bool matching) {
    DroppedOnHole drop(install, radius);
    if (matching) drop.session.host.registry().set(env::kProductKey, env::kMatchSizeValue, "1");
    drop.openDialog(drop.session.module);
    bench::countInstructions(label, [&] {
        for (int i = 0; i < kRepeats; ++i) drop.openDialog(drop.session.module);
    });
}

// The standards list of a group and its last standard's lengths and pitches.
void readTables(env::Module& m, const std::string& groupDir) {
    ui::ComboBox list(ui::ComboStyle::DropDownList), lengths, pitches;
    ui::Label description;
    standards::QNorma(m, groupDir + "Norme.ini", 1, list);
    standards::QData(m, groupDir + "Norme.ini", groupDir + "Data\\", static_cast<int16_t>(list.itemData(list.listCount() - 1)),
                     lengths, pitches, description);
}

void countReaders(const fs::path& install, const std::string& label, const std::string& groupDir, int repeats) {
    QuietSession session(install);
    bench::ProbedFiles probe(session.files);
    env::Module probed(session.host.library(), session.ui, probe);
    readTables(probed, groupDir);
    std::cout << "lines " << label << " " << probe.linesRead() * repeats << "\n";
    bench::countInstructions(label, [&] {
        for (int i = 0; i < repeats; ++i) readTables(session.module, groupDir);
    });
}

// A group of kLargeIndexLines index lines whose last standard lists kLargeDataItems values.
std::string writeLargeGroup(const fs::path& dir) {
    fs::create_directories(dir / "Data");
    std::ofstream index(dir / "Norme.ini", std::ios::binary);
    index << "# A large generated index\r\n[1]\r\n";
    for (int n = 3; n < kLargeIndexLines; ++n)
        index << "\"Large.tab\" \"Standard " << n << "\" \"Generated standard number " << n << "\"\r\n";
    index << "[END]\r\n";
    std::ofstream data(dir / "Data" / "Large.tab", std::ios::binary);
    data << "[Lunghezze]\r\n";
    for (int n = 1; n <= kLargeDataItems / 2; ++n) data << n << "\r\n";
    data << "\r\n[Passi]\r\n";
    for (int n = 1; n <= kLargeDataItems / 2; ++n) data << "0." << n << "\r\n";
    data << "\r\n";
    return dir.string() + "/";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: reader_counts WORK_DIR INSTALL_DIR\n";
        return 2;
    }
    const fs::path install = argv[2];
    countDialogOpening(install);
    // With size matching the list opens on the edge's M10, whose table holds
    // twice the lines of M1's; on an M1's hole both openings read the same files.
    countOpenings(install, "dialog-opening-matched", kHoleRadius, true);
    countOpenings(install, "dialog-opening-small-hole", kSmallHoleRadius, false);
    countOpenings(install, "dialog-opening-small-hole-matched", kSmallHoleRadius, true);
    countReaders(install, "readers-shipped", install.string() + "/Tessalo\\Norme\\ISO\\", kRepeats);
    countReaders(install, "readers-large", writeLargeGroup(fs::path(argv[1]) / "large-group"), 1);
    return 0;
}
