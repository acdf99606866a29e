// Thread table files (standards/): the quote search of entry lines, the
// standards list read from an index file section, and the description, lengths
// and pitches read for one entry from its data file, with the message each
// failure shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/automation/Error.h"
#include "support/TableReaderFakes.h"
#include "core/standards/QuoteSearch.h"
#include "core/standards/ThreadTableFiles.h"
#include "support/ErrorNumber.h"

namespace {

namespace fs = std::filesystem;
using zelva::Error;
using zelva::standards::findQuote;
using zelva::standards::IndexRead;
using zelva::standards::QData;
using zelva::standards::QNorma;
using zelva::standards::quotedField;
using zelva::standards::ReadIndexFile;
using zelva::standards::ReadThreadData;
using zelva::standards::ThreadData;
using zelva::ui::ComboBox;
using zelva::ui::Icon;

// Lines joined with CR LF, the files' own line ending.
std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

std::string emptyLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "\r\n";
    return text;
}

std::vector<std::string> itemsOf(const ComboBox& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.listCount(); ++i) items.push_back(list.item(i));
    return items;
}

std::vector<int32_t> itemDataOf(const ComboBox& list) {
    std::vector<int32_t> data;
    for (int i = 0; i < list.listCount(); ++i) data.push_back(list.itemData(i));
    return data;
}

// ------------------------------------------------------------------ quote search

TEST(QuoteSearch, CountsQuotesFromTheStartAndRestartsAfterAFailedSearch) {
    const std::string line = R"(a"b"c)";  // quotes at 2 and 4
    EXPECT_EQ(findQuote(line, 0), 0u);
    EXPECT_EQ(findQuote(line, 1), 2u);
    EXPECT_EQ(findQuote(line, 2), 4u);
    EXPECT_EQ(findQuote(line, 3), 0u);  // none after 4 …
    EXPECT_EQ(findQuote(line, 4), 2u);  // … so the next search starts over
    EXPECT_EQ(findQuote(line, 5), 4u);
}

TEST(QuoteSearch, FieldsAreTakenExactlyAsWrittenBetweenTheirQuotes) {
    const std::string entry = R"( "M.txt"  " Metric " "ISO coarse" trailing)";
    EXPECT_EQ(quotedField(entry, 1), "M.txt");
    EXPECT_EQ(quotedField(entry, 2), " Metric ");
    EXPECT_EQ(quotedField(entry, 3), "ISO coarse");
    EXPECT_EQ(quotedField(R"("a""""c")", 2), "");
}

TEST(QuoteSearch, AMissingFieldWrapsAroundToTheTextBeforeTheFirstQuote) {
    EXPECT_EQ(quotedField(R"(lead "M.txt" "Metric")", 3), "lead ");
    EXPECT_EQ(quotedField(R"("M.txt" "Metric")", 3), "");
}

TEST(QuoteSearch, AFieldWithoutClosingQuoteIsAnInvalidArgument) {
    EXPECT_EQ(zelva::test::errorNumber([] { quotedField("   ", 2); }), zelva::err::InvalidCall);
    EXPECT_EQ(zelva::test::errorNumber([] { quotedField(R"("a" "b)", 2); }), zelva::err::InvalidCall);
}

TEST(QuoteSearch, PositionsAreCharactersAndStopAt32767) {
    const std::string pad(32764, ' ');
    EXPECT_EQ(quotedField(pad + "\"x\"", 1), "x");  // closing quote at 32767
    EXPECT_EQ(zelva::test::errorNumber([&] { quotedField(pad + " \"x\"", 1); }), zelva::err::Overflow);
    // "é" is two bytes as held but one character of the file.
    std::string wide;
    for (int i = 0; i < 16383; ++i) wide += "\xC3\xA9";
    EXPECT_EQ(quotedField(wide + "\"x\"", 1), "x");  // quotes at characters 16384 and 16386
    EXPECT_EQ(zelva::test::errorNumber([&] { findQuote(wide + wide + "  \"", 1); }), zelva::err::Overflow);
}

// ------------------------------------------------------------------ files on disk

class ThreadTables : public ::testing::Test {
protected:
    ThreadTables() {
        std::random_device random;
        dir_ = fs::temp_directory_path() / ("zelva_standards_" + std::to_string(random()));
        fs::create_directories(dir_ / "Data");
    }
    ~ThreadTables() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    // Writes `bytes` as a file below the test folder and returns its path.
    std::string write(const std::string& name, const std::string& bytes) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
    std::string writeIndex(const std::string& bytes) { return write("Norme.ini", bytes); }
    // The data file folder as the settings give it: Windows separators, closing backslash.
    std::string dataDir() const { return dir_.string() + "\\Data\\"; }

    int16_t qnorma(const std::string& path, int16_t fieldId = 1) {
        return QNorma(env_.module, path, fieldId, standards_);
    }
    void qdata(const std::string& path, int16_t lineNo) {
        QData(env_.module, path, dataDir(), lineNo, lengths_, pitches_, description_);
    }

    const std::vector<zelva::ui::Message>& boxes() const { return env_.ui.boxes; }
    // The single message of the call; fails the test when there is none or more.
    zelva::ui::Message onlyBox() const {
        EXPECT_EQ(boxes().size(), 1u);
        return boxes().empty() ? zelva::ui::Message{} : boxes().front();
    }
    void expectOnlyBox(const std::string& prompt, Icon icon) const {
        const auto box = onlyBox();
        EXPECT_EQ(box.prompt, prompt);
        EXPECT_EQ(box.icon, icon);
        EXPECT_FALSE(box.title.has_value());
    }

    fs::path dir_;
    zelva::fakes::FakeModule env_;
    ComboBox standards_;
    ComboBox lengths_;
    ComboBox pitches_;
    zelva::ui::Label description_;
};

// ------------------------------------------------------------------ QNorma

const std::vector<std::string> kGroupIndex = {
    "# Standards of the group",                                   // 1
    "@ maker's note",                                             // 2
    "",                                                           // 3
    "[1]",                                                        // 4
    R"("M.txt" "Metric" "ISO metric coarse")",                    // 5
    R"("MF.txt"  "Metric fine"  "ISO metric fine" old)",          // 6
    R"("UNC.txt" "UNC" "Unified coarse")",                        // 7
    "[2]",                                                        // 8
    R"("W.txt" "Whitworth" "British standard Whitworth")",        // 9
    "[End]",                                                      // 10
};

class QNormaReads : public ThreadTables {};

TEST_F(QNormaReads, TheWantedSectionsEntriesWithTheirLineNumbers) {
    standards_.addItem("left over");
    EXPECT_EQ(qnorma(writeIndex(crlf(kGroupIndex))), 0);
    EXPECT_EQ(itemsOf(standards_), (std::vector<std::string>{"Metric", "Metric fine", "UNC"}));
    EXPECT_EQ(itemDataOf(standards_), (std::vector<int32_t>{5, 6, 7}));
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(env_.files.openNow, 0);

    EXPECT_EQ(qnorma(writeIndex(crlf(kGroupIndex)), 2), 0);
    EXPECT_EQ(itemsOf(standards_), (std::vector<std::string>{"Whitworth"}));
    EXPECT_EQ(itemDataOf(standards_), (std::vector<int32_t>{9}));
}

TEST_F(QNormaReads, LinesEndedByACarriageReturnAlone) {
    std::string text;
    for (const auto& line : kGroupIndex) text += line + "\r";
    EXPECT_EQ(qnorma(writeIndex(text)), 0);
    EXPECT_EQ(itemDataOf(standards_), (std::vector<int32_t>{5, 6, 7}));
}

TEST_F(QNormaReads, CommentsAndEmptyLinesCountButAreNotListed) {
    const auto path = writeIndex(crlf({"[1]", "# comment", R"("A.txt" "A" "a")", "", R"("B.txt" "B" "b")",
                                       " # not a comment", "[2]"}));
    EXPECT_EQ(qnorma(path), zelva::err::InvalidCall);  // the indented "#" line is an entry without quotes
    EXPECT_EQ(itemsOf(standards_), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(itemDataOf(standards_), (std::vector<int32_t>{3, 5}));
}

TEST_F(QNormaReads, AnEmptySectionAndASectionEndedByTheEndOfTheFile) {
    EXPECT_EQ(qnorma(writeIndex(crlf({"[1]", "[2]", R"("A.txt" "A" "a")"}))), 0);
    EXPECT_EQ(standards_.listCount(), 0);

    // The last section needs no closing marker line: the end of the file ends it.
    EXPECT_EQ(qnorma(writeIndex(crlf({"x", "[1]", R"("A.txt" "A" "a")", "", R"("B.txt" "B" "b")"}))), 0);
    EXPECT_EQ(itemsOf(standards_), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(itemDataOf(standards_), (std::vector<int32_t>{3, 5}));
    EXPECT_TRUE(boxes().empty());

    EXPECT_EQ(qnorma(writeIndex("[1]")), 0);
    EXPECT_EQ(standards_.listCount(), 0);
    EXPECT_EQ(env_.files.openNow, 0);
}

TEST_F(QNormaReads, EntryWithTwoFieldsListsItsSecondField) {
    EXPECT_EQ(qnorma(writeIndex(crlf({"[1]", R"("A.txt" "Only two")", "[2]"}))), 0);
    EXPECT_EQ(itemsOf(standards_), (std::vector<std::string>{"Only two"}));
}

TEST_F(QNormaReads, HeaderMatchesOnItsFirstFourCharacters) {
    const auto index = crlf({"[1] old", "[1 ]", "[12]x", R"("A.txt" "Twelve" "a")", "[1]", R"("B.txt" "One" "b")", "["});
    EXPECT_EQ(qnorma(writeIndex(index), 12), 0);
    EXPECT_EQ(itemsOf(standards_), (std::vector<std::string>{"Twelve"}));
    EXPECT_EQ(qnorma(writeIndex(index), 1), 0);
    EXPECT_EQ(itemsOf(standards_), (std::vector<std::string>{"One"}));
    EXPECT_EQ(itemDataOf(standards_), (std::vector<int32_t>{6}));
}

TEST_F(QNormaReads, UpToLine32767) {
    const std::string text = emptyLines(32765) + "[1]\r\"A.txt\" \"Last\" \"a\"";  // lines 32766 and 32767
    EXPECT_EQ(qnorma(writeIndex(text)), 0);
    EXPECT_EQ(itemDataOf(standards_), (std::vector<int32_t>{32767}));
}

class QNormaFails : public ThreadTables {};

TEST_F(QNormaFails, WhenTheSectionIsNotFound) {
    auto withTrailingText = kGroupIndex;
    withTrailingText[3] = "[1] metric";
    const auto path = writeIndex(crlf(withTrailingText));
    EXPECT_EQ(qnorma(path), zelva::err::InputPastEnd);
    expectOnlyBox("Error Reading " + path + "\rin QNorma\r\nFieldID [ 1] not found", Icon::Critical);
    EXPECT_EQ(standards_.listCount(), 0);
    EXPECT_EQ(env_.files.openNow, 0);
}

TEST_F(QNormaFails, FieldIdIsShownWithItsSign) {
    const auto path = writeIndex(crlf(kGroupIndex));
    EXPECT_EQ(qnorma(path, -3), zelva::err::InputPastEnd);
    EXPECT_EQ(onlyBox().prompt, "Error Reading " + path + "\rin QNorma\r\nFieldID [-3] not found");
}

TEST_F(QNormaFails, WhenTheIndexFileIsMissing) {
    const std::string path = dir_.string() + "\\Missing.ini";
    EXPECT_EQ(qnorma(path), zelva::err::FileNotFound);
    expectOnlyBox("Error Reading File INI\r\n\r\n" + path + "\r\n\r\nFile INI not found\rIn QNorma",
                  Icon::Exclamation);
}

TEST_F(QNormaFails, OnAnEntryOfBlanksKeepingTheEntriesBefore) {
    const auto path = writeIndex(crlf({"[1]", R"("A.txt" "A" "a")", "   ", R"("B.txt" "B" "b")", "[2]"}));
    EXPECT_EQ(qnorma(path), zelva::err::InvalidCall);
    expectOnlyBox("Error  5 Invalid procedure call or argument\r\nin QNorma", Icon::Critical);
    EXPECT_EQ(itemsOf(standards_), (std::vector<std::string>{"A"}));
    EXPECT_EQ(env_.files.openNow, 0);
}

TEST_F(QNormaFails, OnLine32768) {
    const std::string text = emptyLines(32766) + "[1]\r\"A.txt\" \"A\" \"a\"\r[2]";  // lines 32767 to 32769
    EXPECT_EQ(qnorma(writeIndex(text)), zelva::err::Overflow);
    expectOnlyBox("Error  6 Overflow\r\nin QNorma", Icon::Critical);
    EXPECT_EQ(standards_.listCount(), 0);
    EXPECT_EQ(env_.files.openNow, 0);
}

TEST_F(QNormaFails, WithAPositiveCodeWhateverTheFailuresNumber) {
    env_.files.allows = [](const std::string&) -> bool {
        throw Error::fromHresult(static_cast<int32_t>(0x80070005u), "Access is denied.");
    };
    EXPECT_EQ(qnorma(writeIndex(crlf(kGroupIndex))), zelva::err::PathFileAccess);
    EXPECT_EQ(onlyBox().prompt, "Error -2147024891 Access is denied.\r\nin QNorma");
}

// ------------------------------------------------------------------ QData

class QDataReads : public ThreadTables {
protected:
    // An index whose entry on line 2 names `dataFile`; returns its path.
    std::string indexNaming(const std::string& dataFile) {
        return writeIndex(crlf({"[1]", "\"" + dataFile + "\" \"Metric\" \"ISO metric coarse\"", "[2]"}));
    }
    void fillWithPreviousStandard() {
        for (auto* list : {&lengths_, &pitches_}) {
            list->addItem("old");
            list->setListIndex(0);
        }
        description_.caption = "old";
    }
};

TEST_F(QDataReads, DescriptionLengthsAndPitches) {
    write("Data/M.txt", crlf({"@ Metric coarse", "# lengths in mm", "[Passi]", "1.25", "# fine", "1.5", "",
                              "@ between", "Note outside", "# sections", "  [Lunghezze]  ", "10", "  2.5  ",
                              "\t12", "@ 16", "", "20", ""}));
    fillWithPreviousStandard();
    qdata(indexNaming("M.txt"), 2);
    EXPECT_EQ(description_.caption, "ISO metric coarse");
    EXPECT_EQ(itemsOf(lengths_), (std::vector<std::string>{"10", "2.5", "\t12", "@ 16"}));
    EXPECT_EQ(itemsOf(pitches_), (std::vector<std::string>{"1.25", "1.5"}));
    EXPECT_EQ(lengths_.listIndex(), 0);
    EXPECT_EQ(pitches_.listIndex(), 0);
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(env_.files.opened.back(), dataDir() + "M.txt");
    EXPECT_EQ(env_.files.openAtMost, 1);  // the index file is closed before the data file opens
    EXPECT_EQ(env_.files.openNow, 0);
}

TEST_F(QDataReads, AHeaderWithoutABlankLineBeforeItBelongsToTheSectionAbove) {
    write("Data/M.txt", crlf({"[Lunghezze]", "10", "12", "[Passi]", "1.5", ""}));
    fillWithPreviousStandard();
    qdata(indexNaming("M.txt"), 2);
    EXPECT_EQ(itemsOf(lengths_), (std::vector<std::string>{"10", "12", "[Passi]", "1.5"}));
    EXPECT_EQ(itemsOf(pitches_), (std::vector<std::string>{"old"}));
    EXPECT_TRUE(boxes().empty());
}

TEST_F(QDataReads, ASectionThatRunsToTheEndOfTheFile) {
    write("Data/M.txt", "[Passi]\r\n1\r\n\r\n[Lunghezze]\r\n10\r\n12");
    fillWithPreviousStandard();
    qdata(indexNaming("M.txt"), 2);
    EXPECT_EQ(itemsOf(lengths_), (std::vector<std::string>{"10", "12"}));
    EXPECT_EQ(lengths_.listIndex(), 0);
    EXPECT_EQ(lengths_.text(), "10");
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(env_.files.openNow, 0);
}

TEST_F(QDataReads, MissingSectionsLeaveTheirListsAndRepeatedOnesRefillThem) {
    write("Data/M.txt", crlf({"[Passi]", "1", "", "[Passi]", "2", "3", ""}));
    fillWithPreviousStandard();
    qdata(indexNaming("M.txt"), 2);
    EXPECT_EQ(itemsOf(lengths_), (std::vector<std::string>{"old"}));
    EXPECT_EQ(lengths_.listIndex(), 0);
    EXPECT_EQ(itemsOf(pitches_), (std::vector<std::string>{"2", "3"}));
}

TEST_F(QDataReads, TheBlankLineThatEndsASectionIsConsumed) {
    // After the blank line the lines are outside any section again.
    write("Data/M.txt", crlf({"[Lunghezze]", "10", "   ", "99", "[Passi]", "1.5", ""}));
    qdata(indexNaming("M.txt"), 2);
    EXPECT_EQ(itemsOf(lengths_), (std::vector<std::string>{"10"}));
    EXPECT_EQ(itemsOf(pitches_), (std::vector<std::string>{"1.5"}));
}

TEST_F(QDataReads, AnEntryWithTwoFieldsTakesTheTextBeforeItsFirstQuote) {
    write("Data/M.txt", crlf({"[Passi]", "1", ""}));
    qdata(writeIndex(crlf({"[1]", R"(Metric: "M.txt" "Metric")", R"("M.txt" "Metric")", "[2]"})), 2);
    EXPECT_EQ(description_.caption, "Metric: ");
    qdata(writeIndex(crlf({"[1]", R"(Metric: "M.txt" "Metric")", R"("M.txt" "Metric")", "[2]"})), 3);
    EXPECT_EQ(description_.caption, "");
    EXPECT_EQ(itemsOf(pitches_), (std::vector<std::string>{"1"}));
    EXPECT_TRUE(boxes().empty());
}

class QDataFails : public QDataReads {};

TEST_F(QDataFails, WhenTheDataFileIsMissingNamingItsBareName) {
    fillWithPreviousStandard();
    qdata(indexNaming("MF.txt"), 2);
    expectOnlyBox("Error Reading File INI\r\n\r\nMF.txt\r\n\r\nFile INI not found\rIn QData", Icon::Exclamation);
    EXPECT_EQ(description_.caption, "ISO metric coarse");
    EXPECT_EQ(itemsOf(lengths_), (std::vector<std::string>{"old"}));
    EXPECT_EQ(env_.files.openNow, 0);
}

TEST_F(QDataFails, WhenTheIndexFileIsMissingNamingItsPath) {
    const std::string path = dir_.string() + "/Missing.ini";
    qdata(path, 2);
    expectOnlyBox("Error Reading File INI\r\n\r\n" + path + "\r\n\r\nFile INI not found\rIn QData", Icon::Exclamation);
}

TEST_F(QDataFails, WhenTheLineNumberIsNotPositive) {
    const auto path = indexNaming("M.txt");
    description_.caption = "old";
    qdata(path, 0);
    expectOnlyBox("Error  5 Invalid procedure call or argument\r\nin QData", Icon::Critical);
    EXPECT_EQ(description_.caption, "old");
    EXPECT_EQ(env_.files.openNow, 0);
}

TEST_F(QDataFails, WhenTheLineNumberLiesBeyondTheIndexFile) {
    const auto path = indexNaming("M.txt");
    qdata(path, 4);
    expectOnlyBox("Error Reading " + path + "\rin QData", Icon::Critical);
    EXPECT_EQ(env_.files.openNow, 0);
}

TEST_F(QDataFails, WhenASectionIsEmpty) {
    write("Data/M.txt", crlf({"[Lunghezze]", "10", "", "[Passi]", "# none yet", ""}));
    fillWithPreviousStandard();
    qdata(indexNaming("M.txt"), 2);
    expectOnlyBox("Error  380 Invalid property value\r\nin QData", Icon::Critical);
    EXPECT_EQ(itemsOf(lengths_), (std::vector<std::string>{"10"}));
    EXPECT_EQ(pitches_.listCount(), 0);
    EXPECT_EQ(env_.files.openNow, 0);

    write("Data/M.txt", "[Passi]");
    qdata(indexNaming("M.txt"), 2);
    EXPECT_EQ(boxes().size(), 2u);
}

// ------------------------------------------------------------ where they stop

// The table checker places a failure at the file and line where the reader
// stopped, or at the entry when the file it wanted did not open.
TEST_F(QDataReads, AFailureSaysWhichFileItWasReadingAndHowFar) {
    const std::string index = indexNaming("M.txt");
    write("Data/M.txt", crlf({"[Lunghezze]", "10", "", "[Passi]", "# none yet", ""}));
    ThreadData data = ReadThreadData(env_.files, index, dataDir(), 2);
    ASSERT_TRUE(data.failure.has_value());
    EXPECT_EQ(data.failure->error.number(), zelva::err::InvalidPropertyValue);
    EXPECT_EQ(data.failure->shownName, "M.txt");
    EXPECT_EQ(data.failure->path, dataDir() + "M.txt");
    EXPECT_TRUE(data.failure->opened);
    EXPECT_EQ(data.failure->linesRead, 6);
    EXPECT_EQ(data.description, "ISO metric coarse");
    EXPECT_TRUE(data.lengths->complete);
    EXPECT_FALSE(data.pitches->complete);

    data = ReadThreadData(env_.files, indexNaming("MF.txt"), dataDir(), 2);
    EXPECT_EQ(data.failure->error.number(), zelva::err::FileNotFound);
    EXPECT_EQ(data.failure->path, dataDir() + "MF.txt");
    EXPECT_FALSE(data.failure->opened);

    data = ReadThreadData(env_.files, index, dataDir(), 5);
    EXPECT_EQ(data.failure->error.number(), zelva::err::InputPastEnd);
    EXPECT_EQ(data.failure->path, index);
    EXPECT_EQ(data.failure->linesRead, 3);
    EXPECT_FALSE(data.description.has_value());

    const IndexRead read = ReadIndexFile(env_.files, writeIndex(crlf({"# no section"})), 1);
    EXPECT_EQ(read.failure->error.number(), zelva::err::InputPastEnd);
    EXPECT_TRUE(read.failure->opened);
    EXPECT_EQ(read.failure->linesRead, 1);
}

}  // namespace
