// The component's environment: settings and paths, the message language, the
// host's thread-file directory, the preferences file, component variables,
// unit conversion, the thread texture and the text-file port.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "core/automation/Error.h"
#include "core/shape/ComponentVariables.h"
#include "core/texts/Languages.h"
#include "core/texts/MessageTexts.h"
#include "core/env/Preferences.h"
#include "core/env/Settings.h"
#include "core/shape/ThreadTexture.h"
#include "core/shape/UnitConversion.h"
#include "core/host/HostCalls.h"
#include "standin/sim/ShapeGeometry.h"
#include "standin/sim/SimHost.h"
#include "support/ComponentFixture.h"

using namespace zelva;
using test::errorNumber;
using test::TempDir;
using ::testing::ElementsAre;

namespace {

// The component in a bare stand-in host: no install tree, settings set per test.
class BareModule : public ::testing::Test {
protected:
    void setProduct(const std::string& name, const std::string& value) {
        host.registry().set(env::kProductKey, name, value);
    }
    void setFamily(const std::string& name, const std::string& value) {
        host.registry().set(env::kFamilyKey, name, value);
    }
    std::vector<std::string> callsOf(const std::string& member) const {
        std::vector<std::string> calls;
        for (const auto& e : host.journal())
            if (e.member == member) calls.push_back(sim::renderEntry(e));
        return calls;
    }
    std::string readBytes(const std::filesystem::path& p) const {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    TempDir temp;
    sim::SimHost host;
    ui::HeadlessUi ui;
    files::LocalFileSystem files;
    env::Module m{host.library(), ui, files};
};

using Settings = BareModule;
using Preferences = BareModule;
using ComponentVariables = test::ComponentFixture;
using ThreadTexture = test::ComponentFixture;
using TextFiles = BareModule;

}  // namespace

TEST_F(Settings, LanguageIsFoundByCaseSensitiveSearchInFixedOrder) {
    const std::pair<const char*, int16_t> cases[] = {{"German", 3000},  {"english", 2000},        {"", 2000},
                                                     {"Italiano", 1000}, {"ItalianEnglish", 1000}, {"EnglishGerman", 2000}};
    for (const auto& [value, base] : cases) {
        setFamily("Language", value);
        EXPECT_EQ(env::GetLanguageBase(m), base) << value;
    }
}

TEST_F(Settings, LanguageTagsSelectTheCompleteSetsAndOldValuesKeepTheirBlocks) {
    const std::pair<const char*, int16_t> cases[] = {
        // Tags: the primary subtag decides, in any case.
        {"en", 4000}, {"en-US", 4000}, {"EN-gb", 4000}, {"de", 5000}, {"de-DE", 5000}, {"de-CH", 5000},
        {"De-Latn-AT", 5000}, {"it", 6000}, {"it-IT", 6000}, {"IT-ch", 6000},
        // The old names win wherever they stand, even inside a tag's shape.
        {"English", 2000}, {"German", 3000}, {"Italian", 1000}, {"it-German", 3000}, {"en-English", 2000},
        // Tags of other languages and texts that are no tag: the fall-back, as before.
        {"fr-FR", 2000}, {"deu", 2000}, {"Deutsch", 2000}, {"de_DE", 2000}, {"de-", 2000}, {"-de", 2000},
        {" de", 2000}, {"de-DE ", 2000}, {"d", 2000}, {"de-123456789", 2000}, {"de--CH", 2000}, {"d3", 2000}};
    for (const auto& [value, base] : cases) {
        setFamily("Language", value);
        EXPECT_EQ(env::GetLanguageBase(m), base) << value;
    }
}

namespace {

// The code points of UTF-8 text (the message list is valid UTF-8).
std::u32string codePoints(const std::string& text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out += c;
        i += length;
    }
    return out;
}

}  // namespace

// Each complete set holds an entry at every offset any block uses (old or new),
// and none of its texts holds a CJK character.
TEST(MessageTexts, CompleteSetsHoldEveryEntryAndNoCjkCharacter) {
    constexpr int kBlock = 1000;
    std::set<int> offsets;
    for (const auto& [id, text] : texts::AllMessageTexts()) offsets.insert(id % kBlock);
    const auto isCjk = [](char32_t c) {
        return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
               (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF);
    };
    for (const texts::Language& set : texts::kCompleteSets) {
        for (int offset : offsets) {
            const std::optional<std::string> text = texts::FindMessageText(set.base + offset);
            ASSERT_TRUE(text) << set.name << " lacks offset " << offset;
            EXPECT_FALSE(text->empty()) << set.name << " " << offset;
            for (char32_t c : codePoints(*text)) EXPECT_FALSE(isCjk(c)) << set.name << " " << offset << ": " << *text;
        }
    }
}

TEST(MessageTexts, AnIdWithoutTextFailsWithInvalidCall) {
    EXPECT_FALSE(texts::FindMessageText(2003));
    EXPECT_EQ(errorNumber([] { texts::MessageText(2003); }), err::InvalidCall);
}

TEST_F(Settings, PathsAreJoinedByPlainConcatenation) {
    setFamily("ApplDir", "C:\\Prog");
    setProduct("Norme Dir#0", "\\Norme\\ISO\\");
    setProduct("Norme Dir#1", "\\Norme\\UN\\");
    setProduct("Data#0", "Data\\");
    setProduct("Data#1", "Other\\");
    setProduct("File INI#0", "Norme.ini");
    setProduct("File Prefs", "\\Zelvacorin.prf");
    env::InitPaths(m);
    EXPECT_EQ(m.StandardsDir, "C:\\Prog\\Norme\\ISO\\");
    EXPECT_EQ(m.PrefsFilePath, "C:\\Prog\\Zelvacorin.prf");
    m.CurrentNorma = 1;
    env::LoadStandardFiles(m, 0);
    EXPECT_EQ(m.StandardsDir, "C:\\Prog\\Norme\\UN\\");
    EXPECT_EQ(m.DataFilePath, "C:\\Prog\\Norme\\UN\\Data\\");
    EXPECT_EQ(m.IniFileName, "Norme.ini");
}

TEST_F(Settings, AbsentValuesReadEmptyAndEachReadUsesItsOwnRegistryObject) {
    host.clearJournal();
    env::InitPaths(m);
    EXPECT_EQ(m.StandardsDir, "");
    EXPECT_EQ(callsOf("createRegistry").size(), 3u);
    EXPECT_EQ(host.liveObjects(), 0);
}

TEST_F(Settings, ThreadFileDirectoryFallsBack) {
    EXPECT_EQ(env::GetThreadFileDir(m), "");
    EXPECT_TRUE(callsOf("readString").empty());
    host.settings().set("Directories", "Other", "x");
    EXPECT_EQ(env::GetThreadFileDir(m), "v:\\bin.32");
    host.settings().set("Directories", "ThreadFile", "D:\\bin\\");
    EXPECT_EQ(env::GetThreadFileDir(m), "D:\\bin");
    host.settings().set("Directories", "ThreadFile", "D:\\bin\\\\");
    EXPECT_EQ(env::GetThreadFileDir(m), "D:\\bin\\");
    EXPECT_EQ(callsOf("closeSection").size(), 3u);
}

TEST_F(Settings, TexturePictureWithoutAnySettingsIsLookedForAtTheRoot) {
    std::string path = "untouched";
    EXPECT_EQ(shape::FindTextureFile(m, path), kFalse);
    EXPECT_EQ(path, "untouched");
    EXPECT_THAT(callsOf("fileExists"),
                ElementsAre(::testing::HasSubstr("\"\\Images\\3iaoftt.jpg\""),
                            ::testing::HasSubstr("\"\\3iaoftt.jpg\"")));
}

TEST_F(Preferences, RoundTripKeepsTheSixLineFormat) {
    setFamily("ApplDir", temp.path().string());
    setProduct("File Prefs", "\\prefs.txt");
    env::InitPaths(m);
    ui::Dialog& d = m.dialog();
    d.TabNorme.setTabs(3);
    d.top = 1500;
    d.left = 3000;
    m.CurrentNorma = 1;
    d.Lunghezza.setText("20");
    d.Passo.setText("1.5");
    d.ToggleSmusso.setValue(1);
    env::WritePrefs(m);
    EXPECT_EQ(readBytes(temp.path() / "prefs.txt"), " 1500 \r\n 3000 \r\n 1 \r\n20\r\n1.5\r\n 1 \r\n");

    d.unload();
    ui::Dialog& fresh = m.dialog();
    fresh.TabNorme.setTabs(3);
    m.CurrentNorma = 0;
    const env::RememberedSize remembered = env::ReadPrefs(m);
    EXPECT_EQ(fresh.top, 1500);
    EXPECT_EQ(fresh.left, 3000);
    EXPECT_EQ(m.CurrentNorma, 1);
    EXPECT_EQ(fresh.TabNorme.tab(), 1);
    EXPECT_EQ(remembered.length, "20");
    EXPECT_EQ(remembered.pitch, "1.5");
    EXPECT_EQ(fresh.ToggleSmusso.value(), 1);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(Preferences, ReadingRoundsTheTabAndTrimsTexts) {
    m.PrefsFilePath = (temp.path() / "p.txt").string();
    m.dialog().TabNorme.setTabs(5);
    const std::pair<const char*, int16_t> tabs[] = {{" 2 ", 2}, {"2.5", 2}, {"3.5", 4}};
    env::RememberedSize remembered;
    for (const auto& [line, tab] : tabs) {
        std::ofstream(temp.path() / "p.txt", std::ios::binary) << "1\r2\r\n" << line << "\r\n  30 mm  \r\n .75\r\n2\r\n";
        remembered = env::ReadPrefs(m);
        EXPECT_EQ(m.dialog().TabNorme.tab(), tab) << line;
    }
    EXPECT_EQ(m.dialog().top, 1);
    EXPECT_EQ(remembered.length, "30 mm");
    EXPECT_EQ(remembered.pitch, ".75");
    EXPECT_EQ(m.dialog().ToggleSmusso.value(), 2);
}

TEST_F(Preferences, MissingFileIsSilentAndAShortFileReportsItsError) {
    m.PrefsFilePath = (temp.path() / "none.txt").string();
    env::ReadPrefs(m);
    EXPECT_TRUE(ui.messages().empty());

    m.PrefsFilePath = (temp.path() / "short.txt").string();
    std::ofstream(temp.path() / "short.txt", std::ios::binary) << " 10 \r\n 20 \r\n 0 \r\n40\r\n";
    const env::RememberedSize remembered = env::ReadPrefs(m);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].prompt, "ERRORE  62 Input past end of file");
    EXPECT_EQ(ui.messages()[0].title, "Read Prefs");
    EXPECT_EQ(ui.messages()[0].icon, ui::Icon::Critical);
    EXPECT_EQ(remembered.length, "40");  // lines before the failure stay read
    EXPECT_EQ(remembered.pitch, std::nullopt);
}

TEST_F(Preferences, ATabThatDoesNotExistIsNotKept) {
    m.PrefsFilePath = (temp.path() / "p.txt").string();
    std::ofstream(temp.path() / "p.txt", std::ios::binary) << "1\r\n2\r\n7\r\n40\r\n1\r\n0\r\n";
    m.CurrentNorma = 0;
    env::ReadPrefs(m);
    EXPECT_EQ(m.CurrentNorma, 0);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].prompt, "ERRORE  380 Invalid property value");
}

namespace {
// A file system whose writers fail after a number of lines.
class FailingWrites : public files::FileSystem {
public:
    FailingWrites(files::FileSystem& real, int linesBeforeFailure) : real_(real), limit_(linesBeforeFailure) {}
    std::unique_ptr<files::LineReader> openForReading(const std::string& p) override { return real_.openForReading(p); }
    std::unique_ptr<files::LineWriter> openForWriting(const std::string& p) override {
        struct Writer : files::LineWriter {
            std::unique_ptr<files::LineWriter> inner;
            int left;
            void writeLine(const std::string& l) override {
                if (left-- == 0) throw Error::runtime(err::DiskFull);
                inner->writeLine(l);
            }
            void commit() override { inner->commit(); }
        };
        auto w = std::make_unique<Writer>();
        w->inner = real_.openForWriting(p);
        w->left = limit_;
        return w;
    }

private:
    files::FileSystem& real_;
    int limit_;
};
}  // namespace

TEST_F(Preferences, AFailedWriteKeepsThePreviousFile) {
    const auto path = temp.path() / "p.txt";
    const std::string previous = " 1 \r\n 2 \r\n 0 \r\n10\r\n1\r\n 0 \r\n";
    std::ofstream(path, std::ios::binary) << previous;
    FailingWrites failing(files, 3);
    env::Module broken(host.library(), ui, failing);
    broken.PrefsFilePath = path.string();
    env::WritePrefs(broken);
    EXPECT_EQ(readBytes(path), previous);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].prompt, "ERRORE  61 Disk full");
    EXPECT_EQ(ui.messages()[0].title, "Write Prefs");
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".new"));

    m.PrefsFilePath = (temp.path() / "missing" / "p.txt").string();
    env::WritePrefs(m);
    EXPECT_EQ(ui.messages().back().prompt, "ERRORE  76 Path not found");
}

TEST_F(ComponentVariables, SizeVariablesAreWrittenInOrderWithTheirTypes) {
    const auto pin = buildPin(10, 30, 1.5, 1);
    Ref<Object> shape = shapeObject(pin);
    host.clearJournal();
    shape::SetSizeVariables(*shape, 1, 2, 3);
    EXPECT_THAT(callsOf({"Value"}), ElementsAre("Value = R8 1", "Value = R8 2", "Value = R8 3", "Value = I2 1",
                                                "Value = I2 1", "Value = I2 1", "Value = I4 3", "Value = I4 1"));
    EXPECT_EQ(callsOf({"Item"}).size(), 1u);
    EXPECT_EQ(shape::GetSizeVariable3(*shape), 3.0);
    pin->components.first(1)->variables[{std::nullopt, 3}] = Variant::i2(40);
    EXPECT_EQ(shape::GetSizeVariable3(*shape), 40.0);
    pin->components.first(1)->variables[{std::nullopt, 2}] = Variant::str("wide");
    EXPECT_EQ(errorNumber([&] { shape::GetSizeVariable2(*shape); }), err::TypeMismatch);
}

TEST_F(ComponentVariables, EmptyingTheProfileRemovesTheFirstItemEachTime) {
    const auto pin = buildPin(10, 30, 1.5, 1);
    Ref<Object> shape = shapeObject(pin);
    shape::RemoveProfileComponents(*shape);
    host.clearJournal();
    shape::RemoveProfileComponents(*shape);
    EXPECT_TRUE(callsOf({"Remove"}).empty());

    const Ref<Object> curves = host::components(*host::component(*shape, 15)->getObject("Profile"), 3);
    for (int i = 0; i < 3; ++i) curves->call("Add");
    host.clearJournal();
    shape::RemoveProfileComponents(*shape);
    EXPECT_THAT(callsOf({"Remove", "Count"}),
                ElementsAre("Count -> I4 3", "Count -> I4 3", "Remove(Object Component(3))",
                            "Remove(Object Component(3))", "Remove(Object Component(3))"));
    EXPECT_TRUE(sim::profileCircles(*pin).empty());
}

TEST_F(ComponentVariables, EachConversionUsesItsOwnConverter) {
    dropStateAt({0, 0, 0}, {0, 0, 1});
    const auto before = host.liveObjects();
    host.clearJournal();
    EXPECT_DOUBLE_EQ(shape::ConvertUnits7To2(module, 5), 0.005);
    EXPECT_DOUBLE_EQ(shape::ConvertUnits4To7(module, 1), 25.4);
    EXPECT_EQ(callsOf({"createUnitConverter"}).size(), 2u);
    EXPECT_EQ(host.liveObjects(), before);
}

TEST_F(ThreadTexture, FirstFolderWinsAndTheSecondIsNotAsked) {
    std::string path = "untouched";
    host.clearJournal();
    EXPECT_EQ(shape::FindTextureFile(module, path), kTrue);
    EXPECT_EQ(path, applDir().string() + "\\Images\\3iaoftt.jpg");
    EXPECT_EQ(callsOf({"fileExists"}).size(), 1u);
    EXPECT_TRUE(callsOf({"openSection"}).empty());
}

TEST_F(ThreadTexture, MissingPictureLeavesThePinUntexturedAndTheBuildWhole) {
    std::filesystem::remove(applDir() / "Images" / "3iaoftt.jpg");
    host.clearJournal();
    const auto pin = buildPin(10, 30, 1.5, 1);
    EXPECT_THAT(callsOf({"fileExists"}),
                ElementsAre("fileExists(ref Str \"<ApplDir>\\Images\\3iaoftt.jpg\", ref I2 0)",
                            "fileExists(ref Str \"<ApplDir>\\Images\\3iaoftt.jpg\", ref I2 0)"));
    EXPECT_TRUE(pin->components.of(27).empty());
    EXPECT_EQ(pin->components.first(34)->variables.size(), 5u);
}

TEST_F(ThreadTexture, ExistingFinishIsReconfiguredWithWidthAndHeightOfTheThread) {
    const auto pin = buildPin(10, 30, 1.5, 1);
    const auto& texture = *pin->components.first(27)->texture;
    EXPECT_EQ(texture.properties.at("ProjectionWidth(1)"), Variant::r8(31.4159265358979));
    EXPECT_DOUBLE_EQ(toDouble(texture.properties.at("ProjectionHeight(1)")), 6.25 / (25.4 / 1.5) * 25.4);
    EXPECT_EQ(texture.properties.at("Flip(1)"), Variant::boolean(true));
    EXPECT_EQ(texture.properties.at("ProjectionType(1)"), Variant::i4(3));
    host.clearJournal();
    buildPinAgain(pin, 12, 30, 2, 0);
    EXPECT_TRUE(callsOf({"Add"}).size() == 1u);  // only the new profile circle
    EXPECT_EQ(pin->components.of(27).size(), 1u);
    EXPECT_EQ(pin->components.first(27)->texture->properties.at("ProjectionWidth(1)"),
              Variant::r8(12 * 3.14159265358979));
}

TEST_F(ThreadTexture, FailingFinishTouchesNoPropertyAndZeroPitchSkipsTheHeight) {
    host.failMember("SurfaceFinish");
    const auto pin = buildPin(10, 30, 1.5, 1);
    EXPECT_EQ(pin->components.of(27).size(), 1u);
    EXPECT_EQ(pin->components.first(27)->texture, nullptr);
    host.clearFaults();

    const auto flat = buildPin(10, 30, 0, 1);
    const auto& props = flat->components.first(27)->texture->properties;
    EXPECT_EQ(props.count("ProjectionHeight(1)"), 0u);
    EXPECT_EQ(props.at("Flip(1)"), Variant::boolean(true));
    EXPECT_EQ(*flat->components.first(14)->variable({std::nullopt, 23}), Variant::r8(0));
}

TEST_F(ThreadTexture, ASizeBeyondTheDoubleRangeIsOverflowAndSkipsOnlyItsStep) {
    const auto pin = buildPin(10, 30, 1.5, 1);
    Ref<Object> shape = shapeObject(pin);
    auto& properties = pin->components.first(27)->texture->properties;
    const auto apply = [&](double diameter, double pitch) {
        properties.clear();
        host.clearJournal();
        shape::ApplyThreadTexture(module, *shape, shape::FinishSize{1, 1, 1}, diameter, pitch);
        return properties;
    };

    // π × 1e308 is beyond the range: the width is not written, the steps after it run.
    auto props = apply(1e308, 1.5);
    EXPECT_EQ(props.count("ProjectionWidth(1)"), 0u);
    EXPECT_DOUBLE_EQ(toDouble(props.at("ProjectionHeight(1)")), 6.25 / (25.4 / 1.5) * 25.4);
    EXPECT_EQ(props.at("Flip(1)"), Variant::boolean(true));

    // 25.4 / 1e-320 is beyond the range: no threads per inch, so no height either
    // (not the 0 an infinite intermediate would give).
    props = apply(10, 1e-320);
    EXPECT_EQ(props.at("ProjectionWidth(1)"), Variant::r8(10 * 3.14159265358979));
    EXPECT_EQ(props.count("ProjectionHeight(1)"), 0u);
    EXPECT_TRUE(callsOf({"convert"}).empty());
    EXPECT_EQ(props.at("Flip(1)"), Variant::boolean(true));
}

TEST_F(TextFiles, LinesEndWithCrLfOrCrAndBytesAreWindowsAnsi) {
    const auto path = temp.path() / "t.txt";
    std::ofstream(path, std::ios::binary) << "a\r\nb\rc\xe9\x80\nd\r\n";
    const auto in = files.openForReading((temp.path() / "t.txt").string());
    EXPECT_EQ(in->readLine(), "a");
    EXPECT_EQ(in->readLine(), "b");
    EXPECT_EQ(in->readLine(), "c\xc3\xa9\xe2\x82\xac\nd");
    EXPECT_TRUE(in->atEnd());
    EXPECT_EQ(errorNumber([&] { in->readLine(); }), err::InputPastEnd);
    EXPECT_EQ(errorNumber([&] { files.openForReading((temp.path() / "none.txt").string()); }), err::FileNotFound);
    EXPECT_EQ(errorNumber([&] { files.openForReading((temp.path() / "no" / "x.txt").string()); }), err::PathNotFound);
    // A file that may be absent: nothing when it is, its folder missing still fails.
    EXPECT_EQ(files.openIfPresent((temp.path() / "none.txt").string()), nullptr);
    EXPECT_NE(files.openIfPresent(path.string()), nullptr);
    EXPECT_EQ(errorNumber([&] { files.openIfPresent((temp.path() / "no" / "x.txt").string()); }), err::PathNotFound);
    EXPECT_EQ(files::utf8ToAnsi("é€中"), "\xe9\x80?");
    std::string everyByte;
    for (int b = 1; b < 256; ++b) everyByte += static_cast<char>(b);
    EXPECT_EQ(files::utf8ToAnsi(files::ansiToUtf8(everyByte)), everyByte);
}

TEST_F(TextFiles, EachLineReadReplacesTheOneBeforeItWhole) {
    // The reader keeps one line at a time: a short line after a long one, an
    // empty one after a converted one, leaves nothing of the line before.
    const auto path = temp.path() / "lines.txt";
    std::ofstream(path, std::ios::binary) << "a long first line \xe9\xe9\r\nb\r\n\r\n\xd7\r\n";
    const auto in = files.openForReading(path.string());
    EXPECT_EQ(in->readLine(), "a long first line \xc3\xa9\xc3\xa9");
    EXPECT_EQ(in->readLine(), "b");
    EXPECT_EQ(in->readLine(), "");
    EXPECT_EQ(in->readLine(), "\xc3\x97");
    EXPECT_TRUE(in->atEnd());

    std::ofstream(temp.path() / "empty.txt", std::ios::binary).flush();
    EXPECT_TRUE(files.openForReading((temp.path() / "empty.txt").string())->atEnd());
    EXPECT_TRUE(files.openIfPresent((temp.path() / "empty.txt").string())->atEnd());
    EXPECT_EQ(errorNumber([&] { files.openForReading(temp.path().string()); }), err::PathFileAccess);
}

TEST_F(TextFiles, LinesReadTheSameBeforeAndAfterTheFilesFirstHighByte) {
    // The lines before the file's first high byte are copied as they are, the
    // rest converted: plain lines on both sides of it, the line ending on it,
    // an empty line, and a last line without its end.
    const std::vector<std::string> lines = {"plain", std::string(70, 'p'), "x\xe9", "", "plain again", "\xd7", "end\x80"};
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    bytes.resize(bytes.size() - 2);
    const auto path = temp.path() / "mixed.txt";
    std::ofstream(path, std::ios::binary) << bytes;
    const auto in = files.openForReading(path.string());
    for (const std::string& line : lines) EXPECT_EQ(in->readLine(), files::ansiToUtf8(line));
    EXPECT_TRUE(in->atEnd());
}

TEST_F(TextFiles, FilesOpenByTheirWindowsPathsWhateverTheirFoldersLength) {
    // A folder name as long as the system allows, reached by a path with `\`
    // separators; a folder is not a file, for a file that may be absent too.
    const auto folder = temp.path() / std::string(255, 'f');
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "t.txt", std::ios::binary) << "x\r\n";
    const std::string windowsPath = temp.path().string() + "\\" + std::string(255, 'f') + "\\t.txt";
    EXPECT_EQ(files.openForReading(windowsPath)->readLine(), "x");
    EXPECT_EQ(files.openIfPresent(windowsPath)->readLine(), "x");
    EXPECT_EQ(errorNumber([&] { files.openIfPresent(folder.string()); }), err::PathFileAccess);
}

TEST(AnsiText, HighBytesConvertPastTheRunsScannedManyWordsAtATime) {
    // Longer lines are passed over four words at a time, then word by word,
    // then byte by byte: a high byte in any of those stretches still converts.
    constexpr size_t kLength = 75;
    for (size_t at = 0; at < kLength; ++at) {
        std::string line(kLength, 'x');
        line[at] = '\xe9';
        std::string expected(kLength, 'x');
        expected.replace(at, 1, "\xc3\xa9");
        EXPECT_EQ(files::ansiToUtf8(line), expected) << at;
    }
}

TEST(AnsiText, HighBytesConvertWhereverTheyStandInALine) {
    // Runs of plain text are passed over several bytes at a time: a high byte
    // at any place, first and last included, still converts.
    for (size_t at = 0; at < 20; ++at) {
        std::string line(20, 'x');
        line[at] = '\x80';
        std::string expected(20, 'x');
        expected.replace(at, 1, "\xe2\x82\xac");
        EXPECT_EQ(files::ansiToUtf8(line), expected) << at;
    }
    EXPECT_EQ(files::ansiToUtf8("\xe9\xe9 plain 12345678 \x9f"), "\xc3\xa9\xc3\xa9 plain 12345678 \xc5\xb8");
    EXPECT_EQ(files::ansiToUtf8(""), "");
}
