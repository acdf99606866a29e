// pinhost: the stand-in host on the command line. `pinhost run SCENARIO --out DIR`
// replays a round of work against the component and writes the document, the
// pictures and the transcript into DIR; `--journal FILE` also writes every
// host call of the run into FILE. The same program, built for Windows as
// pinhost.exe, replays it against the real Zelvacorin.dll through COM.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <utility>

#include "standin/pinhost/Component.h"
#include "standin/pinhost/pictures/DrawingSvg.h"
#include "standin/pinhost/pictures/ModelSvg.h"
#include "standin/pinhost/Scenario.h"
#include "standin/pinhost/ScenarioRunner.h"
#include "standin/pinhost/Transcript.h"
#include "standin/sim/DocumentJson.h"
#include "standin/sim/Journal.h"

namespace fs = std::filesystem;
using namespace zelva;

namespace {

int usage() {
    std::cerr << "usage: pinhost run SCENARIO --out DIR [--install DIR] [--journal FILE]\n";
    return 2;
}

template <class Write>
void writeFile(const fs::path& path, Write write) {
    std::ofstream out(path, std::ios::binary);
    write(out);
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void writeFile(const fs::path& path, const std::string& text) {
    writeFile(path, [&](std::ostream& out) { out << text; });
}

// The run works on its own copy of the install tree, so the preferences it
// writes start fresh and stay beside its other results.
fs::path stageInstall(const fs::path& from, const fs::path& out) {
    const fs::path to = out / "install";
    fs::remove_all(to);
    fs::copy(from, to, fs::copy_options::recursive);
    return to;
}

// The staged install tree the build puts beside the program.
fs::path installBesideProgram(const char* argv0) {
#ifdef __linux__
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.parent_path() / "install";
#endif
    return fs::absolute(argv0).parent_path() / "install";
}

int run(const fs::path& scenarioPath, const fs::path& out, const fs::path& install, const fs::path& journal) {
    std::ifstream in(scenarioPath);
    if (!in) throw std::runtime_error("cannot read " + scenarioPath.string());
    auto lines = pinhost::parseScenario(in, scenarioPath.string());
    fs::create_directories(out);
    const auto loaded = pinhost::loadComponent(stageInstall(install, out));
    sim::SimHost& host = loaded->host();
    host.keepJournal(!journal.empty());
    std::ofstream transcriptFile(out / "transcript.jsonl", std::ios::binary);
    pinhost::Transcript transcript(transcriptFile);
    pinhost::ScenarioRunner runner(*loaded, transcript, std::cout);

    std::cout << "pinhost: replaying " << scenarioPath.string() << "\n";
    runner.run(std::exchange(lines, {}), scenarioPath.string());  // let go of the lines before the pictures are drawn
    writeFile(out / "document.json", [&](std::ostream& file) {
        sim::writeDocumentJson(file, host.document());
        file << "\n";
    });
    writeFile(out / "model.svg", [&](std::ostream& file) { pinhost::pictures::writeModelSvg(file, host.document()); });
    writeFile(out / "drawing.svg", [&](std::ostream& file) { pinhost::pictures::writeDrawingSvg(file, runner.projections()); });
    if (!journal.empty()) writeFile(journal, sim::renderJournal(host.journal()));
    std::cout << "pinhost: " << host.document().parts.size() << " part(s), " << runner.projections().size()
              << " drawing answer(s), " << runner.failures() << " failed host call(s)\n"
              << "pinhost: wrote " << (out / "document.json").string() << ", model.svg, drawing.svg, transcript.jsonl\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || std::string(argv[1]) != "run") return usage();
    fs::path out;
    fs::path install = installBesideProgram(argv[0]);
    fs::path journal;
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) return usage();
        if (option == "--out") out = argv[++i];
        else if (option == "--install") install = argv[++i];
        else if (option == "--journal") journal = argv[++i];
        else return usage();
    }
    if (out.empty()) return usage();
    try {
        return run(argv[2], out, install, journal);
    } catch (const pinhost::ScenarioError& e) {
        std::cerr << "pinhost: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "pinhost: " << e.what() << "\n";
        return 1;
    }
}
