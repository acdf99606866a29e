// The table checker: the shipped tables check clean, and a tree with one
// planted fault of each kind gives exactly the expected findings, each at its
// line, in the order the dialog would meet them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/tables/Finding.h"
#include "app/tables/TableChecker.h"
#include "support/ComponentFixture.h"

namespace fs = std::filesystem;
using namespace zelva::tables;

namespace {

std::string crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

struct Expected {
    std::string file;
    int line;
    Level level;
    std::string says;  // a part of the message
};

class PlantedTree : public ::testing::Test {
protected:
    void write(const std::string& name, const std::string& bytes) {
        const fs::path p = temp_.path() / name;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }

    void plantEveryFault() {
        write("Tessalo.reg", crlf({"REGEDIT4", "",                                                   // 1-2
                                   R"([HKEY_LOCAL_MACHINE\SOFTWARE\Ombrivale\Tessalo])",             // 3
                                   R"("ApplDir"="C:\\Program Files\\Ombrivale\\Tessalo")",           // 4
                                   R"("Language"="English")", "",                                    // 5-6
                                   R"([HKEY_LOCAL_MACHINE\SOFTWARE\Ombrivale\Tessalo\Zelvacorin])",  // 7
                                   R"("File Prefs"="\\Zelvacorin.prf")",                             // 8
                                   R"("Norme#0"="Metric")",                                          // 9
                                   R"("Norme Dir#0"="\\Norme\\M\\")",                                // 10
                                   R"("Data#0"="Data\\")",                                           // 11
                                   R"("File INI#0"="Norme.ini")",                                    // 12
                                   R"("Norme#1"="Inch")",                                            // 13
                                   R"("Norme Dir#1"="\\Norme\\IN\\")",                               // 14
                                   R"("Data#1"="Tables\\")",                                         // 15: unused
                                   R"("File INI#1"="Norme.ini")",                                    // 16
                                   R"("Norme#2"="Half")",                                            // 17: incomplete
                                   R"("Norme Dir#2"="\\Norme\\HALF\\")"}));
        write("Tessalo/Norme/M/Norme.ini", crlf({"# metric", "[1]",
                                                 R"("M10.tab" "M10" "clean")",
                                                 R"("M12.tab" "M12" "no data file")",  // 4
                                                 R"("M8.tab" "M8" "values")",
                                                 R"("M6.tab" "M6" "bytes")", "[END]"}));
        write("Tessalo/Norme/M/Data/M10.tab", crlf({"[Lunghezze]", "10", "20", "", "[Passi]", "1.5", "1.25", ""}));
        write("Tessalo/Norme/M/Data/M8.tab",
              crlf({"[Lunghezze]", "20", "16", "16", "M10", "", "[Passi]", "1,25", "0", "-1", ""}));
        write("Tessalo/Norme/M/Data/M6.tab",
              "\xEF\xBB\xBF" + crlf({"# M6\xC3\x97" "1", "[Lunghezze]", "6", "", "[Passi]", "1", "# \x81", ""}));
        write("Tessalo/Norme/M/Old.ini", crlf({"[1]", "[END]"}));
        write("Tessalo/Norme/IN/Norme.ini", "[1]\n\"A.tab\" \"A\" \"a\"\n[END]\n");
        write("Tessalo/Norme/HALF/Norme.ini", crlf({"[1]", R"("Tr.tab" "Tr" "no pitches")", "[END]"}));
        write("Tessalo/Norme/HALF/Data/Tr.tab", crlf({"[Lunghezze]", "30", ""}));
        write("Tessalo/Norme/OLD/Norme.ini", crlf({"[1]", "[END]"}));
    }

    std::vector<Finding> check() { return checkTree(temp_.path()); }

    zelva::test::TempDir temp_;
};

TEST_F(PlantedTree, EachPlantedFaultIsFoundAtItsLineAndNothingElse) {
    plantEveryFault();
    const std::string data = "Tessalo/Norme/M/Data/";
    const std::vector<Expected> expected = {
        {"Tessalo/Norme/M/Norme.ini", 4, Level::Error, "message box 53: Error Reading File INI /  / M12.tab"},
        {data + "M8.tab", 3, Level::Warning, "length '16' follows 20: lengths are not ascending"},
        {data + "M8.tab", 4, Level::Warning, "length '16' repeats the value of line 3"},
        {data + "M8.tab", 5, Level::Error, "length 'M10' is read as 0"},
        {data + "M8.tab", 8, Level::Warning, "pitch '1,25' is read as 1"},
        {data + "M8.tab", 9, Level::Error, "pitch '0' is read as 0"},
        {data + "M8.tab", 10, Level::Error, "pitch '-1' is read as -1"},
        {data + "M6.tab", 1, Level::Warning, "byte-order mark"},
        {data + "M6.tab", 1, Level::Warning, "'\xC3\x97' is written in UTF-8"},
        {data + "M6.tab", 7, Level::Warning, "byte 0x81 is no Windows-1252 character"},
        {"Tessalo.reg", 15, Level::Warning, "Data#1 is not used: the component reads Data#0 for every tab"},
        {"Tessalo/Norme/IN/Norme.ini", 1, Level::Error, "message box 62: Error Reading"},
        {"Tessalo/Norme/IN/Norme.ini", 1, Level::Warning, "lines end with LF alone"},
        {"Tessalo.reg", 17, Level::Error, "tab 2 \"Half\" has no value Data#2"},
        {"Tessalo.reg", 17, Level::Error, "tab 2 \"Half\" has no value File INI#2"},
        {"Tessalo/Norme/HALF/Data/Tr.tab", 0, Level::Warning, "no [Passi] section"},
        {"Tessalo/Norme/OLD", 0, Level::Warning, "no tab's Norme Dir# value reaches this group folder"},
        {"Tessalo/Norme/M/Old.ini", 0, Level::Warning, "no File INI# value reaches this index file"},
    };
    const auto found = check();
    ASSERT_EQ(found.size(), expected.size()) << formatText(found);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(found[i].file, expected[i].file) << i;
        EXPECT_EQ(found[i].line, expected[i].line) << found[i].file;
        EXPECT_EQ(found[i].level, expected[i].level) << found[i].message;
        EXPECT_NE(found[i].message.find(expected[i].says), std::string::npos) << found[i].message;
    }
    EXPECT_TRUE(hasErrors(found));
}

TEST_F(PlantedTree, AMissingIndexFileIsTheComponentsExclamationMessage) {
    plantEveryFault();
    fs::remove(temp_.path() / "Tessalo/Norme/HALF/Norme.ini");
    bool reported = false;
    for (const Finding& f : check())
        if (f.file == "Tessalo/Norme/HALF/Norme.ini") {
            EXPECT_EQ(f.line, 0);
            EXPECT_NE(f.message.find("message box 53: Error Reading File INI"), std::string::npos) << f.message;
            EXPECT_NE(f.message.find("File INI not found / In QNorma"), std::string::npos) << f.message;
            reported = true;
        }
    EXPECT_TRUE(reported);
}

TEST_F(PlantedTree, ANumberPastTheDoublesRangeIsAnErrorAndTheCheckGoesOn) {
    plantEveryFault();
    write("Tessalo/Norme/M/Data/M10.tab", crlf({"[Lunghezze]", "10", std::string(400, '9'), "", "[Passi]", "1e999", ""}));
    const auto found = check();
    std::vector<std::pair<int, std::string>> overflows;
    for (const Finding& f : found)
        if (f.file == "Tessalo/Norme/M/Data/M10.tab" && f.level == Level::Error &&
            f.message.find("cannot be read: run-time error 6") != std::string::npos)
            overflows.emplace_back(f.line, f.message.substr(0, f.message.find(' ')));
    EXPECT_EQ(overflows, (std::vector<std::pair<int, std::string>>{{3, "length"}, {6, "pitch"}})) << formatText(found);
    EXPECT_NE(formatText(found).find("Tessalo/Norme/M/Data/M8.tab:5: error:"), std::string::npos);
}

TEST_F(PlantedTree, AValueHoldingALineFeedIsShownOnItsFindingsOneLine) {
    plantEveryFault();
    write("Tessalo/Norme/M/Data/M10.tab", "[Lunghezze]\r\n10\r\n2\n0\r\n[Passi]\r\n1.5\r\n");
    bool shown = false;
    for (const Finding& f : check()) {
        EXPECT_EQ(f.message.find_first_of("\r\n"), std::string::npos) << f.message;
        shown = shown || f.message.find("length '2\\n0'") != std::string::npos;
    }
    EXPECT_TRUE(shown);
}

TEST_F(PlantedTree, BytesThatOnlyLookLikeUtf8AreNoCharacterAndTheJsonStaysUtf8) {
    plantEveryFault();
    // An overlong form, a surrogate and a code point past U+10FFFF.
    write("Tessalo/Norme/M/Data/M10.tab", crlf({"# \xE0\x8E\x8E \xED\xA0\x80 \xF4\x90\x80\x80", "[Lunghezze]", "10",
                                                "[Passi]", "1.5"}));
    int noCharacter = 0;
    for (const Finding& f : check()) {
        if (f.file != "Tessalo/Norme/M/Data/M10.tab") continue;
        EXPECT_EQ(f.message.find("written in UTF-8"), std::string::npos) << f.message;
        noCharacter += f.message.find("is no Windows-1252 character") != std::string::npos;
    }
    EXPECT_EQ(noCharacter, 1);  // the line's first problem: 0x90 of the last, no character of the code page
}

TEST_F(PlantedTree, ATreeWithoutSettingsCannotBeChecked) {
    EXPECT_THROW(check(), std::runtime_error);
}

TEST(ShippedTables, CheckClean) {
    const auto found = checkTree(fs::u8path(ZELVA_SOURCE_DIR) / "install");
    EXPECT_TRUE(found.empty()) << formatText(found);
}

TEST(FindingOutput, TextLinesEndWithASummaryAndJsonEscapesTexts) {
    const std::vector<Finding> findings = {{"a/b.tab", 3, Level::Error, "pitch 'x\"' is read as 0"},
                                           {"c.ini", 0, Level::Warning, "tab\there"}};
    EXPECT_EQ(formatText(findings),
              "a/b.tab:3: error: pitch 'x\"' is read as 0\nc.ini:0: warning: tab\there\n1 errors, 1 warnings\n");
    EXPECT_EQ(formatJson(findings),
              "[\n {\"file\": \"a/b.tab\", \"line\": 3, \"level\": \"error\", \"message\": \"pitch 'x\\\"' is read as 0\"},"
              "\n {\"file\": \"c.ini\", \"line\": 0, \"level\": \"warning\", \"message\": \"tab\\u0009here\"}\n]\n");
    EXPECT_EQ(formatJson({}), "[]\n");
    EXPECT_FALSE(hasErrors({findings[1]}));
}

}  // namespace
