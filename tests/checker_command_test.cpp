// The zelva-tables command as an administrator runs it: its exit status tells
// clean (0), errors found (1) or cannot run (2), and --json prints the findings
// as an array a program can read. Native only: it runs the built program.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/ComponentFixture.h"

namespace fs = std::filesystem;

namespace {

struct CommandRun {
    int status;
    std::string out;
};

CommandRun zelvaTables(const std::string& arguments, const fs::path& dir) {
    const fs::path log = dir / "zelva-tables.log";
    const std::string command =
        std::string("\"") + ZELVA_TABLES + "\" " + arguments + " >\"" + log.string() + "\" 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream in(log);
    std::stringstream s;
    s << in.rdbuf();
    return {WEXITSTATUS(status), s.str()};
}

TEST(TablesCommand, ExitStatusSaysCleanErrorsOrCannotRun) {
    zelva::test::TempDir temp;
    // The report's first line names the tree checked; its Tessalo folder is the same tree.
    const fs::path staged = fs::path(ZELVA_STAGED_INSTALL) / "Tessalo";
    const CommandRun clean = zelvaTables("check \"" + staged.string() + "\"", temp.path());
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out.rfind("checking the tables of " + staged.string() + " with the settings of ", 0), 0u)
        << clean.out;

    const CommandRun missing = zelvaTables("check \"" + (temp.path() / "nothing").string() + "\"", temp.path());
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.out.find("no Tessalo.reg"), std::string::npos) << missing.out;

    // A tab whose index file is missing: the component's message box, an error.
    std::ofstream(temp.path() / "Tessalo.reg", std::ios::binary)
        << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ombrivale\\Tessalo\\Zelvacorin]\r\n"
           "\"Norme#0\"=\"A\"\r\n\"Norme Dir#0\"=\"\\\\A\\\\\"\r\n\"Data#0\"=\"Data\\\\\"\r\n"
           "\"File INI#0\"=\"Norme.ini\"\r\n";
    fs::create_directories(temp.path() / "Tessalo" / "A");
    const CommandRun errors = zelvaTables("check \"" + temp.path().string() + "\" --json", temp.path());
    EXPECT_EQ(errors.status, 1) << errors.out;
    const auto findings = nlohmann::json::parse(errors.out);
    ASSERT_EQ(findings.size(), 1u) << errors.out;
    EXPECT_EQ(findings[0]["file"], "Tessalo/A/Norme.ini");
    EXPECT_EQ(findings[0]["line"], 0);
    EXPECT_EQ(findings[0]["level"], "error");
    EXPECT_EQ(findings[0]["message"].get<std::string>().rfind(
                  "the index file Tessalo/A/Norme.ini does not exist; the component shows message box 53: "
                  "Error Reading File INI",
                  0),
              0u);
}

// The site's own group that the installed ReadMe.txt shows, set up as it says on
// a copy of the shipped tree: its `reg add` values and its two files, each block
// the lines indented by two spaces below the line that names the file (the blank
// line that ends the block is not the file's). The checker finds nothing at all
// (a group folder no tab reached would be a warning).
TEST(TablesCommand, ReadMeSiteExampleIsCleanWithoutAWarning) {
    std::ifstream readMe(std::string(ZELVA_SOURCE_DIR) + "/tools/package/ReadMe.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(readMe, line);) lines.push_back(line);

    zelva::test::TempDir temp;
    const fs::path tree = temp.path() / "tree";
    fs::copy(ZELVA_STAGED_INSTALL, tree, fs::copy_options::recursive);
    std::ofstream reg(tree / "Tessalo.reg", std::ios::binary | std::ios::app);
    reg << "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ombrivale\\Tessalo\\Zelvacorin]\r\n";
    const std::regex regAdd(R"re(^\s*reg add \S+ /v "([^"]+)" /d "([^"]*)")re");
    const std::regex fileNamed(R"(^(Norme\\SITE\\\S+): )");
    int values = 0, files = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::smatch m;
        if (std::regex_search(lines[i], m, regAdd)) {
            std::string value = m[2];  // reg.exe reads a doubled backslash before the closing quote as one
            if (value.ends_with("\\\\")) value.pop_back();
            reg << '"' << m[1] << "\"=\"" << std::regex_replace(value, std::regex(R"(\\)"), R"(\\)") << "\"\r\n";
            ++values;
        } else if (std::regex_search(lines[i], m, fileNamed)) {
            std::string path = m[1];
            std::replace(path.begin(), path.end(), '\\', '/');
            size_t j = i + 1;
            while (j < lines.size() && !lines[j].starts_with("  ")) ++j;
            std::vector<std::string> block;
            for (; j < lines.size() && (lines[j].empty() || lines[j].starts_with("  ")); ++j)
                block.push_back(lines[j].empty() ? "" : lines[j].substr(2));
            if (!block.empty() && block.back().empty()) block.pop_back();
            fs::create_directories((tree / "Tessalo" / path).parent_path());
            std::ofstream file(tree / "Tessalo" / path, std::ios::binary);
            for (const std::string& line : block) file << line << "\r\n";
            ++files;
        }
    }
    reg.close();
    ASSERT_EQ(values, 4);
    ASSERT_EQ(files, 2);

    const CommandRun check = zelvaTables("check \"" + tree.string() + "\"", temp.path());
    EXPECT_EQ(check.status, 0) << check.out;
    EXPECT_NE(check.out.find("\n0 errors, 0 warnings"), std::string::npos) << check.out;
}

TEST(TablesCommand, UnknownArgumentsAreAUsageError) {
    zelva::test::TempDir temp;
    EXPECT_EQ(zelvaTables("", temp.path()).status, 2);
    EXPECT_EQ(zelvaTables("check a b", temp.path()).status, 2);
    EXPECT_EQ(zelvaTables("check --verbose", temp.path()).status, 2);
}

}  // namespace
