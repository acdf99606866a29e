// The table checker: the shipped tables check clean, and each mistake an
// administrator can make, planted alone in a small clean tree, gives exactly
// the expected findings, each at its line and with its level. Errors are what
// makes the dialog show or build other than the files state.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "admin/checker/Finding.h"
#include "admin/checker/TableChecker.h"
#include "support/ComponentFixture.h"

namespace fs = std::filesystem;
using namespace zelva::checker;

namespace {

std::string crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

const std::string kRegistry = "Tessalo.reg";
const std::string kIndex = "Tessalo/Norme/M/Norme.ini";
const std::string kM10 = "Tessalo/Norme/M/Data/M10.tab";

std::vector<std::string> registryLines() {
    return {"REGEDIT4", "",                                                   // 1-2
            R"([HKEY_LOCAL_MACHINE\SOFTWARE\Ombrivale\Tessalo])",             // 3
            R"("ApplDir"="C:\\Program Files\\Ombrivale\\Tessalo")",           // 4
            R"("Language"="English")", "",                                    // 5-6
            R"([HKEY_LOCAL_MACHINE\SOFTWARE\Ombrivale\Tessalo\Zelvacorin])",  // 7
            R"("File Prefs"="\\Zelvacorin.prf")",                             // 8
            R"("Norme#0"="Metric")",                                          // 9
            R"("Norme Dir#0"="\\Norme\\M\\")",                                // 10
            R"("Data#0"="Data\\")",                                           // 11
            R"("File INI#0"="Norme.ini")"};                                   // 12
}

std::vector<std::string> indexLines() {
    return {"# metric", "[1]", R"("M10.tab" "M10" "coarse" "10")", R"("M8.tab" "M8" "coarse" "8")", "[END]"};
}

std::vector<std::string> m10Lines() { return {"# M10", "[Lunghezze]", "10", "20", "", "[Passi]", "1.5", "1.25", ""}; }

// A clean tree: one tab, two standards.
std::map<std::string, std::string> cleanTree() {
    return {{kRegistry, crlf(registryLines())},
            {kIndex, crlf(indexLines())},
            {kM10, crlf(m10Lines())},
            {"Tessalo/Norme/M/Data/M8.tab", crlf({"[Lunghezze]", "8", "", "[Passi]", "1.25", "1", ""})}};
}

std::vector<std::string> with(std::vector<std::string> lines, size_t index, const std::string& line) {
    lines.at(index) = line;
    return lines;
}

std::vector<std::string> inserted(std::vector<std::string> lines, size_t index, const std::string& line) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(index), line);
    return lines;
}

struct Expected {
    std::string file;
    int line;
    Level level;
    std::string says;  // a part of the message
};

struct Mistake {
    const char* what;
    std::map<std::string, std::string> files;  // written over the clean tree; empty text removes the file
    std::vector<Expected> expected;
};

std::vector<Finding> checkPlanted(const zelva::test::TempDir& temp, const Mistake& mistake) {
    auto files = cleanTree();
    for (const auto& [name, bytes] : mistake.files) files[name] = bytes;
    for (const auto& [name, bytes] : files) {
        if (bytes.empty()) continue;
        const fs::path p = temp.path() / name;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }
    return checkTree(temp.path());
}

void expectFindings(const std::vector<Finding>& found, const std::vector<Expected>& expected, const char* what) {
    ASSERT_EQ(found.size(), expected.size()) << what << "\n" << formatText(found);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(found[i].file, expected[i].file) << what;
        EXPECT_EQ(found[i].line, expected[i].line) << what << ": " << found[i].message;
        EXPECT_EQ(found[i].level, expected[i].level) << what << ": " << found[i].message;
        EXPECT_NE(found[i].message.find(expected[i].says), std::string::npos) << what << ": " << found[i].message;
    }
}

const std::string kUtf8Times = "\xC3\x97";
const std::string kMissingM12 = "the data file Tessalo/Norme/M/Data/M12.tab that this entry names does not exist; "
                                "the component shows message box 53: Error Reading File INI /  / M12.tab";

const std::vector<Mistake> kMistakes = {
    {"a data file saved with LF line ends",
     {{kM10, "[Lunghezze]\n10\n\n[Passi]\n1.5\n\n"}},
     {{kM10, 1, Level::Error, "lines end with LF alone, so the component reads the whole file as one line; save"},
      {kM10, 0, Level::Error, "no [Lunghezze] section: the dialog keeps the lengths of the standard chosen before"},
      {kM10, 0, Level::Error, "no [Passi] section"}}},
    {"one line of a data file ending with LF alone",
     {{kM10, crlf({"[Lunghezze]", "10", "", "[Passi]\n1.5", ""})}},
     {{kM10, 4, Level::Error, "this line ends with LF alone, so the component reads it and the next as one line"},
      {kM10, 4, Level::Error, "'[Passi]\\n1.5' follows the blank line 3 that ends [Lunghezze]"},
      {kM10, 0, Level::Error, "no [Passi] section"}}},
    {"a data file without [Passi]", {{kM10, crlf({"[Lunghezze]", "10", ""})}},
     {{kM10, 0, Level::Error, "no [Passi] section: the dialog keeps the pitches of the standard chosen before"}}},
    {"a data file with a byte-order mark", {{kM10, "\xEF\xBB\xBF" + crlf({"[Lunghezze]", "10", "", "[Passi]", "1", ""})}},
     {{kM10, 1, Level::Error, "starts with a byte-order mark"},
      {kM10, 0, Level::Error, "no [Lunghezze] section"}}},
    {"a pitch written with a comma", {{kM10, crlf(with(m10Lines(), 6, "1,25"))}},
     {{kM10, 7, Level::Error, "pitch '1,25' is read as 1: write one plain number"}}},
    {"a pitch with two points", {{kM10, crlf(with(m10Lines(), 7, "1.2.5"))}},
     {{kM10, 8, Level::Error, "pitch '1.2.5' is read as 1.2"}}},
    {"a length with its unit", {{kM10, crlf(with(m10Lines(), 3, "15 mm"))}},
     {{kM10, 4, Level::Error, "length '15 mm' is read as 15"}}},
    {"values after a blank line inside [Lunghezze]", {{kM10, crlf(inserted(m10Lines(), 3, ""))}},
     {{kM10, 5, Level::Error, "'20' follows the blank line 4 that ends [Lunghezze], so the component drops it"}}},
    {"lengths out of order and twice: read as written",
     {{kM10, crlf({"[Lunghezze]", "20", "10", "10", "", "[Passi]", "1.5", ""})}},
     {{kM10, 3, Level::Warning, "length '10' follows 20: lengths are not ascending"},
      {kM10, 4, Level::Warning, "length '10' repeats the value of line 3"}}},
    {"a UTF-8 index file",
     {{kIndex, crlf(inserted(with(indexLines(), 0, "# metric M10" + kUtf8Times + "1"), 4,
                              R"("M10x1.tab" "M10)" + kUtf8Times + R"(1" "fine" "10")"))},
      {"Tessalo/Norme/M/Data/M10x1.tab", crlf(m10Lines())}},
     {{kIndex, 1, Level::Error, "2 lines hold text saved as UTF-8, which the component reads as Windows-1252: '" +
                                    kUtf8Times + "' shows as '\xC3\x83\xE2\x80\x94'; save the file as Windows-1252"}}},
    {"UTF-8 in comments only", {{kM10, crlf(with(m10Lines(), 0, "# M10" + kUtf8Times + "1.5"))}},
     {{kM10, 1, Level::Warning, "1 line holds text saved as UTF-8"}}},
    {"the same standard twice in an index", {{kIndex, crlf(inserted(indexLines(), 4, R"("M8.tab" "M10" "again" "10")"))}},
     {{kIndex, 5, Level::Error, "the standard 'M10' is listed again (first on line 3): the list shows it twice"}}},
    {"the same Windows-1252 name twice, quoted in UTF-8",
     {{kIndex, crlf(inserted(inserted(indexLines(), 4, "\"M10.tab\" \"M10\xD7" "1\" \"fine\" \"10\""), 5,
                             "\"M10.tab\" \"M10\xD7" "1\" \"again\" \"10\""))}},
     {{kIndex, 6, Level::Error, "the standard 'M10" + kUtf8Times + "1' is listed again (first on line 5)"}}},
    {"an entry after [END]", {{kIndex, crlf(inserted(indexLines(), 5, R"("M8.tab" "M6" "late")"))}},
     {{kIndex, 6, Level::Error, "this entry follows line 5, which ends section [1], so the component never lists it"}}},
    {"an entry with two fields", {{kIndex, crlf(with(indexLines(), 3, R"("M12.tab" "M12")"))}},
     {{kIndex, 4, Level::Error,
       "this entry has 2 quoted fields; the component needs three: \"data file\" \"name shown\" \"description\"; "
       "the component shows message box 53"},
      {kIndex, 4, Level::Warning, "no nominal diameter: size matching never selects this standard"}}},
    {"a data file that does not exist", {{kIndex, crlf(with(indexLines(), 3, R"("M12.tab" "M12" "gone" "12")"))}},
     {{kIndex, 4, Level::Error, kMissingM12 + " /  / File INI not found / In QData"}}},
    {"a data file named in another case, as Windows finds it",
     {{kIndex, crlf(with(indexLines(), 2, R"("m10.TAB" "M10" "coarse" "10")"))}}, {}},
    {"a missing index file", {{kIndex, ""}},
     {{kIndex, 0, Level::Error, "the index file Tessalo/Norme/M/Norme.ini does not exist; the component shows message "
                                "box 53: Error Reading File INI"}}},
    {"a data folder that does not exist", {{kRegistry, crlf(with(registryLines(), 10, R"("Data#0"="Tables\\")"))}},
     {{kRegistry, 11, Level::Error, "Data#0 names the folder Tessalo/Norme/M/Tables, which does not exist"}}},
    {"a group folder that does not exist",
     {{kRegistry, crlf(with(registryLines(), 9, R"("Norme Dir#0"="\\Norme\\X\\")"))}},
     {{kRegistry, 10, Level::Error, "Norme Dir#0 names the folder Tessalo/Norme/X, which does not exist"},
      {"Tessalo/Norme/M", 0, Level::Warning, "no tab's Norme Dir# value reaches this group folder"}}},
    {"a language the component does not know", {{kRegistry, crlf(with(registryLines(), 4, R"("Language"="Deutsch")"))}},
     {{kRegistry, 5, Level::Error, "Language \"Deutsch\" names none of the languages the component knows (Italian, "
                                   "English, German, case matters; or a language tag of en, de, it such as de-CH), "
                                   "so it shows the English texts"}}},
    {"a second tab that is incomplete and names a data folder of its own",
     {{kRegistry, crlf(inserted(inserted(inserted(registryLines(), 12, R"("Norme#1"="Half")"), 13,
                                         R"("Norme Dir#1"="\\Norme\\M\\")"), 14, R"("Data#1"="Tables\\")"))}},
     {{kRegistry, 13, Level::Error, "tab 1 \"Half\" has no value File INI#1"},
      {kRegistry, 15, Level::Warning, "Data#1 is not used: the component reads Data#0 for every tab"}}},
    {"a settings file with LF line ends",
     {{kRegistry, [] {
           std::string lf;
           for (const auto& line : registryLines()) lf += line + "\n";
           return lf;
       }()}},
     {{kRegistry, 1, Level::Warning, "lines end with LF alone"}}},
    {"an index file no setting reaches and a folder no tab reaches",
     {{"Tessalo/Norme/M/Old.ini", crlf({"[1]", "[END]"})}, {"Tessalo/Norme/OLD/Norme.ini", crlf({"[1]", "[END]"})}},
     {{"Tessalo/Norme/OLD", 0, Level::Warning, "no tab's Norme Dir# value reaches this group folder"},
      {"Tessalo/Norme/M/Old.ini", 0, Level::Warning, "no File INI# value reaches this index file"}}},
};

TEST(PlantedTree, EachMistakeIsFoundAtItsLineWithItsLevel) {
    for (const Mistake& mistake : kMistakes) {
        zelva::test::TempDir temp;
        expectFindings(checkPlanted(temp, mistake), mistake.expected, mistake.what);
    }
}

TEST(PlantedTree, TheTessaloFolderIsCheckedAsTheTreeItLiesIn) {
    zelva::test::TempDir temp;
    EXPECT_TRUE(checkPlanted(temp, {"clean", {}, {}}).empty());
    std::string checked;
    EXPECT_TRUE(checkTree(temp.path() / "Tessalo", &checked).empty());
    EXPECT_EQ(checked, "checking the tables of " + (temp.path() / "Tessalo").string() + " with the settings of " +
                           (temp.path() / "Tessalo.reg").string());
}

TEST(PlantedTree, ATreeWithoutSettingsCannotBeChecked) {
    zelva::test::TempDir temp;
    EXPECT_THROW(checkTree(temp.path()), std::runtime_error);
}

// The findings in one file of the planted tree, that file written as given.
std::vector<Finding> findingsIn(const std::string& file, const std::string& bytes) {
    zelva::test::TempDir temp;
    std::vector<Finding> inFile;
    for (Finding& f : checkPlanted(temp, {"", {{file, bytes}}, {}}))
        if (f.file == file) inFile.push_back(std::move(f));
    return inFile;
}

TEST(PlantedTree, ANumberPastTheDoublesRangeIsAnErrorAndTheCheckGoesOn) {
    std::vector<std::pair<int, std::string>> overflows;
    for (const Finding& f : findingsIn(kM10, crlf({"[Lunghezze]", "10", std::string(400, '9'), "", "[Passi]", "1e999", ""})))
        if (f.level == Level::Error && f.message.find("cannot be read: run-time error 6") != std::string::npos)
            overflows.emplace_back(f.line, f.message.substr(0, f.message.find(' ')));
    EXPECT_EQ(overflows, (std::vector<std::pair<int, std::string>>{{3, "length"}, {6, "pitch"}}));
}

TEST(PlantedTree, AValueHoldingALineFeedIsShownOnItsFindingsOneLine) {
    bool shown = false;
    for (const Finding& f : findingsIn(kM10, "[Lunghezze]\r\n10\r\n2\n0\r\n[Passi]\r\n1.5\r\n")) {
        EXPECT_EQ(f.message.find_first_of("\r\n"), std::string::npos) << f.message;
        shown = shown || f.message.find("length '2\\n0'") != std::string::npos;
    }
    EXPECT_TRUE(shown);
}

TEST(PlantedTree, BytesThatOnlyLookLikeUtf8AreNoCharacterAndTheJsonStaysUtf8) {
    // An overlong form, a surrogate and a code point past U+10FFFF.
    int noCharacter = 0;
    const std::vector<Finding> found = findingsIn(kM10, crlf({"# \xE0\x8E\x8E \xED\xA0\x80 \xF4\x90\x80\x80", "[Lunghezze]", "10", "",
                                                  "[Passi]", "1.5", ""}));
    for (const Finding& f : found) {
        EXPECT_EQ(f.message.find("written in UTF-8"), std::string::npos) << f.message;
        noCharacter += f.message.find("no Windows-1252 character (first 0x90)") != std::string::npos;
    }
    EXPECT_EQ(noCharacter, 1) << formatText(found);  // 0x90, of the last, is no character of the code page
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
    EXPECT_EQ(formatText({{"d.tab", 4, Level::Error, "'[Passi]\n1.5' is dropped"}}),
              "d.tab:4: error: '[Passi]\\n1.5' is dropped\n1 errors, 0 warnings\n");
    EXPECT_EQ(formatJson(findings),
              "[\n {\"file\": \"a/b.tab\", \"line\": 3, \"level\": \"error\", \"message\": \"pitch 'x\\\"' is read as 0\"},"
              "\n {\"file\": \"c.ini\", \"line\": 0, \"level\": \"warning\", \"message\": \"tab\\u0009here\"}\n]\n");
    EXPECT_EQ(formatJson({}), "[]\n");
    EXPECT_FALSE(hasErrors({findings[1]}));
}

}  // namespace
