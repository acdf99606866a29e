// Fuzz target of the table checker, `zelva-tables check`, over a generated
// tree: two standards groups, the first with the input's index file and two
// data files, the second sharing them under its own settings. The input is cut
// at its first two NULs into the index, `a.tab` and `b.tab` (any bytes, lines
// of any length). Besides the sanitizers' findings, it stops on a broken
// promise: the check runs to its end, every finding is one line naming a file
// relative to the tree, and the JSON form reads back as as many findings.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "admin/checker/TableChecker.h"

namespace {

namespace fs = std::filesystem;
using namespace zelva;

void require(bool promiseKept, const char* promise) {
    if (promiseKept) return;
    std::fprintf(stderr, "the table checker broke a promise: %s\n", promise);
    std::abort();
}

constexpr std::string_view kSettings =
    "REGEDIT4\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ombrivale\\Tessalo]\r\n"
    "\"ApplDir\"=\"C:\\\\Program Files\\\\Ombrivale\\\\Tessalo\"\r\n"
    "\"Language\"=\"English\"\r\n\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ombrivale\\Tessalo\\Zelvacorin]\r\n"
    "\"File Prefs\"=\"\\\\Zelvacorin.prf\"\r\n"
    "\"Norme#0\"=\"Fuzzed\"\r\n\"Norme Dir#0\"=\"\\\\Norme\\\\F\\\\\"\r\n"
    "\"Data#0\"=\"Data\\\\\"\r\n\"File INI#0\"=\"Norme.ini\"\r\n"
    "\"Norme#1\"=\"Shared\"\r\n\"Norme Dir#1\"=\"\\\\Norme\\\\F\\\\\"\r\n"
    "\"Data#1\"=\"Data\\\\\"\r\n\"File INI#1\"=\"Norme.ini\"\r\n";

// The tree one run checks, in a folder of this process removed at exit.
class Tree {
public:
    Tree() : root(fs::temp_directory_path() / ("zelva_tables_fuzz_" + std::to_string(std::random_device()()))) {
        fs::create_directories(group() / "Data");
        write(root / "Tessalo.reg", kSettings);
    }
    ~Tree() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    fs::path group() const { return root / "Tessalo" / "Norme" / "F"; }
    static void write(const fs::path& path, std::string_view bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }

    const fs::path root;
};

// The input up to its next NUL, or all that is left.
std::string_view cut(std::string_view& rest) {
    const size_t end = rest.find('\0');
    const std::string_view part = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Tree tree;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    Tree::write(tree.group() / "Norme.ini", cut(rest));
    Tree::write(tree.group() / "Data" / "a.tab", cut(rest));
    Tree::write(tree.group() / "Data" / "b.tab", rest);

    std::vector<checker::Finding> findings;
    try {
        findings = checker::checkTree(tree.root);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        require(false, "a tree with its settings file is checked to the end");
    }
    for (const checker::Finding& f : findings) {
        const bool oneLine = f.message.find_first_of("\r\n") == std::string::npos &&
                             f.file.find_first_of("\r\n") == std::string::npos;
        if (!oneLine || f.line < 0 || fs::u8path(f.file).is_absolute())
            std::fprintf(stderr, "finding: %s:%d: %s\n", f.file.c_str(), f.line, f.message.c_str());
        require(f.line >= 0, "a finding's line is 0 or more");
        require(oneLine, "a finding is one line");
        require(!fs::u8path(f.file).is_absolute(), "a finding names its file relative to the tree");
    }
    const nlohmann::json json = nlohmann::json::parse(checker::formatJson(findings), nullptr, false);
    require(json.is_array() && json.size() == findings.size(), "the JSON form holds every finding");
    return 0;
}
