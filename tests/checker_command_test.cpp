// The zelva-tables command as an administrator runs it: its exit status tells
// clean (0), errors found (1) or cannot run (2), and --json prints the findings
// as an array a program can read. Native only: it runs the built program.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

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

TEST(TablesCommand, UnknownArgumentsAreAUsageError) {
    zelva::test::TempDir temp;
    EXPECT_EQ(zelvaTables("", temp.path()).status, 2);
    EXPECT_EQ(zelvaTables("check a b", temp.path()).status, 2);
    EXPECT_EQ(zelvaTables("check --verbose", temp.path()).status, 2);
}

}  // namespace
