// zelva-tables: checks the thread tables of an install tree the way the
// component reads them.
//
//   zelva-tables check [INSTALL_DIR] [--json]
//
// INSTALL_DIR defaults to the tree beside the program: the staged install
// tree of a build, or the install folder the program was installed into. The
// text report names the tree checked on its first line; --json prints the
// findings alone.
// Exit status: 0 no errors, 1 errors found, 2 the check could not run.

#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "admin/checker/ProgramFolder.h"
#include "admin/checker/TableChecker.h"

namespace fs = std::filesystem;
using namespace zelva::checker;

namespace {

constexpr int kClean = 0;
constexpr int kErrorsFound = 1;
constexpr int kCannotRun = 2;

int usage() {
    std::cerr << "usage: zelva-tables check [INSTALL_DIR] [--json]\n";
    return kCannotRun;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] != "check") return usage();
    bool json = false;
    std::optional<fs::path> root;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--json") json = true;
        else if (!root && args[i].rfind("--", 0) != 0) root = fs::u8path(args[i]);
        else return usage();
    }
    try {
        std::string checked;
        const auto findings = checkTree(root.value_or(defaultTree(argv[0])), &checked);
        if (json) std::cout << formatJson(findings);
        else std::cout << checked << "\n" << formatText(findings);
        return hasErrors(findings) ? kErrorsFound : kClean;
    } catch (const std::exception& e) {
        std::cerr << "zelva-tables: " << e.what() << "\n";
        return kCannotRun;
    }
}
