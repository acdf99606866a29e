// The thread parameter dialog and the edge selection notice as a user meets
// them after a drop: the opening sequence (tabs, captions, standards, lengths,
// pitches, preferences, diameter), the choices the user makes, what OK builds,
// and the preferences file it leaves for the next pin.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/automation/Error.h"
#include "core/texts/MessageTexts.h"
#include "standin/sim/DocumentJson.h"
#include "support/DialogFixture.h"

using namespace zelva;
using namespace zelva::test;
using nlohmann::json;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

namespace {

using DialogTest = DialogFixture;

const ui::Dialog& asDialog(const ui::Form& form) { return static_cast<const ui::Dialog&>(form); }

// The first standards of each shipped group, one a nominal size, smallest first.
const json kIsoStandards = {"M1", "M1.1", "M1.2"};
const json kUnifiedStandards = {"#1-64 UNC", "#2-56 UNC", "#3-48 UNC"};
const json kPipeStandards = {"G 1/16", "G 1/8", "G 1/4"};
const std::string kIsoCoarse = "M1; P 0.25; ISO 261; 6g";
const std::string kUnc = "#1-64 UNC; Ø1.8542; P 0.3969 = 25.4/64 (UNF 25.4/72); ASME B1.1; 2A";

// The first three items of a list.
json leading(const json& items) { return json(items.begin(), items.begin() + std::min<std::ptrdiff_t>(3, items.size())); }

std::string repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

bool isMissingIndexMessage(const ui::Message& box) {
    return box.icon == ui::Icon::Exclamation && box.prompt.find("File INI not found") != std::string::npos;
}

// ------------------------------------------------------------ opening sequence

TEST_F(DialogTest, NewPinOpensOnTheFirstGroupWithItsFirstStandardLoaded) {
    int16_t tabsPerRow = 0;
    watch.onShown = [&](const ui::Form& form) { tabsPerRow = asDialog(form).TabNorme.tabsPerRow(); };
    drop(edgeOfRadius(5));
    ASSERT_EQ(watch.seen.size(), 1u);
    const json& d = opened();
    EXPECT_EQ(d["tabs"], json({"ISO metric", "Unified inch", "Pipe & Tr"}));
    EXPECT_EQ(tabsPerRow, 3);
    EXPECT_EQ(d["tab"], 0);
    EXPECT_EQ(leading(d["Normativa"]["items"]), kIsoStandards);
    EXPECT_EQ(leading(d["Normativa"]["itemData"]), json({8, 9, 10}));  // the entries' line numbers
    EXPECT_EQ(d["Normativa"]["index"], 0);
    EXPECT_EQ(d["Normativa"]["enabled"], true);
    EXPECT_EQ(d["OKButton"]["enabled"], true);
    EXPECT_EQ(d["LblDescr"], kIsoCoarse);
    EXPECT_EQ(d["Lunghezza"]["items"].size(), 8u);  // M1: the preferred lengths 2 to 10
    EXPECT_EQ(d["Lunghezza"]["text"], "2");
    EXPECT_EQ(d["Passo"]["items"].front(), "0.25");
    EXPECT_EQ(d["Passo"]["text"], "0.25");
    EXPECT_EQ(d["ToggleSmusso"], 0);
    EXPECT_EQ(d["lblTxtDiam"], "10");
    EXPECT_EQ(d["TxtDiam"]["visible"], false);
    EXPECT_EQ(module.CurrentNorma, 0);
    EXPECT_THAT(ui.messages(), IsEmpty());
}

// Naming the tabs visits none of them: only the group shown is read.
TEST_F(DialogTest, OpeningReadsNoGroupButTheOneItShows) {
    std::filesystem::remove(applDir() / "Norme" / "UN" / "Norme.ini");
    std::filesystem::remove(applDir() / "Norme" / "PIPE" / "Norme.ini");
    drop(edgeOfRadius(5), {act::length("30"), act::ok()});
    EXPECT_THAT(ui.messages(), IsEmpty());
    EXPECT_EQ(leading(opened()["Normativa"]["items"]), kIsoStandards);

    // An edit shows the first group even when the last dialog left another one current.
    setProductSetting("Norme#1", "");
    module.CurrentNorma = 2;
    doubleClick(plateShapes().at(0));
    EXPECT_EQ(opened()["tabs"], json({"ISO metric"}));
    EXPECT_EQ(leading(opened()["Normativa"]["items"]), kIsoStandards);
    EXPECT_EQ(module.CurrentNorma, 0);
    EXPECT_THAT(ui.messages(), IsEmpty());
}

TEST_F(DialogTest, CaptionsSpeakTheLanguageOfTheSettings) {
    struct Expected {
        const char* language;
        int16_t base;
        const char* standard;
        const char* diameter;
        const char* cancel;
        const char* length;
        const char* pitch;
        const char* chamferTip;
    };
    const Expected languages[] = {
        {"Italian", 1000, "Normativa", "Diametro", "Annulla", "Lunghezza", "Passo",
         "Imposta lo smusso al termine del filetto"},
        {"English", 2000, "标准名称", "直径", "取消", "长度", "螺距", "端部倒角"},
        {"German", 3000, "Norm", "直径", "Abbrechen", "Lenght", "螺距", "端部倒角"},
    };
    for (const Expected& e : languages) {
        setLanguage(e.language);
        std::string chamferTip;
        watch.onShown = [&](const ui::Form& form) { chamferTip = asDialog(form).ToggleSmusso.toolTip; };
        drop(edgeOfRadius(5));
        const json& d = opened();
        EXPECT_EQ(module.LanguageBase, e.base);
        EXPECT_EQ(d["caption"], "自定义螺纹") << e.language;
        EXPECT_EQ(d["LblNormativa"], e.standard) << e.language;
        EXPECT_EQ(d["LblDiam"], e.diameter) << e.language;
        EXPECT_EQ(d["OKButton"]["caption"], "确定") << e.language;
        EXPECT_EQ(d["CancelButton"]["caption"], e.cancel) << e.language;
        EXPECT_EQ(d["LblLung"], e.length) << e.language;
        EXPECT_EQ(d["LblPasso"], e.pitch) << e.language;
        EXPECT_EQ(chamferTip, e.chamferTip) << e.language;
    }
}

// The German set with a region tag: every text a designer meets on a drop, the
// dialog's, the built pin's name, the notice's and the units message's.
TEST_F(DialogTest, GermanTagSpeaksGermanInEveryFormAndMessage) {
    setLanguage("de-DE");
    std::string manual, chamferTip;
    watch.onShown = [&](const ui::Form& form) {
        manual = asDialog(form).ToggleMan.caption;
        chamferTip = asDialog(form).ToggleSmusso.toolTip;
    };
    drop(edgeOfRadius(5), {act::ok()});
    const json& d = opened();
    EXPECT_EQ(module.LanguageBase, 5000);
    EXPECT_EQ(d["caption"], "Gewindebolzen");
    EXPECT_EQ(d["LblNormativa"], "Norm");
    EXPECT_EQ(d["LblDiam"], "Durchmesser");
    EXPECT_EQ(d["LblLung"], "Gewindelänge");
    EXPECT_EQ(d["LblPasso"], "Steigung");
    EXPECT_EQ(d["OKButton"]["caption"], "OK");
    EXPECT_EQ(d["CancelButton"]["caption"], "Abbrechen");
    EXPECT_EQ(manual, "Manuell");
    EXPECT_EQ(chamferTip, "Fase am Gewindeende");
    ASSERT_EQ(plateShapes().size(), 1u);
    EXPECT_EQ(plateShapes()[0]->name, "Gewindebolzen");

    watch.onShown = nullptr;
    drop(host.addLineEdge(plate, {0, 0, 0}, {0, 0, 1}), {act::ok()});
    EXPECT_EQ(opened()["caption"], "Gewindebolzen");
    EXPECT_EQ(opened()["LblWarning"], "Legen Sie den Gewindebolzen auf der kreisförmigen Kante ab, auf der er stehen soll.");
    EXPECT_EQ(opened()["OKButton"], "OK");

    host.setPageLengthUnits(1);
    drop(edgeOfRadius(5));
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].title, "Gewindebolzen");
    EXPECT_EQ(ui.messages()[0].prompt,
              "Um einen Gewindebolzen zu platzieren, stellen Sie die Längeneinheit des Dokuments auf Millimeter um.");
}

// The old blocks have no caption for the manual switch: it keeps its own.
TEST_F(DialogTest, EachSetCaptionsTheManualSwitchOnlyIfItHasTheText) {
    const std::pair<const char*, const char*> cases[] = {
        {"Italian", "Man."}, {"English", "Man."}, {"German", "Man."}, {"en", "Manual"}, {"it-IT", "Manuale"}};
    for (const auto& [language, caption] : cases) {
        setLanguage(language);
        std::string manual;
        watch.onShown = [&](const ui::Form& form) { manual = asDialog(form).ToggleMan.caption; };
        drop(edgeOfRadius(5));
        EXPECT_EQ(manual, caption) << language;
    }
}

TEST_F(DialogTest, TabsStopAtTheFirstEmptyGroupName) {
    int16_t tabsPerRow = 0;
    int height = 0;
    watch.onShown = [&](const ui::Form& form) {
        tabsPerRow = asDialog(form).TabNorme.tabsPerRow();
        height = asDialog(form).TabNorme.height;
    };
    setProductSetting("Norme#2", "");
    drop(edgeOfRadius(5));
    EXPECT_EQ(opened()["tabs"], json({"ISO metric", "Unified inch"}));
    EXPECT_EQ(opened()["tab"], 0);
    EXPECT_EQ(tabsPerRow, 2);
    EXPECT_EQ(height, 300);
    EXPECT_EQ(leading(opened()["Normativa"]["items"]), kIsoStandards);

    setProductSetting("Norme#0", "");
    drop(edgeOfRadius(5));
    EXPECT_EQ(opened()["tabs"], json({"Tab 0"}));
    EXPECT_EQ(tabsPerRow, 1);
    EXPECT_EQ(leading(opened()["Normativa"]["items"]), kIsoStandards);  // the settings of index 0 still apply
    EXPECT_EQ(opened()["OKButton"]["enabled"], true);
}

TEST_F(DialogTest, SelectingATabReloadsTheStandardsOfItsDirectory) {
    drop(edgeOfRadius(5), {act::tab(1)});
    EXPECT_EQ(closed()["tab"], 1);
    EXPECT_EQ(leading(closed()["Normativa"]["items"]), kUnifiedStandards);
    EXPECT_EQ(closed()["Normativa"]["index"], 0);
    EXPECT_EQ(closed()["LblDescr"], kUnc);
    EXPECT_EQ(closed()["Passo"]["text"], closed()["Passo"]["items"].front());
    EXPECT_NE(closed()["Passo"]["items"], opened()["Passo"]["items"]);
    EXPECT_EQ(module.CurrentNorma, 1);
    EXPECT_TRUE(module.StandardsDir.ends_with("\\Norme\\UN\\")) << module.StandardsDir;
    EXPECT_FALSE(std::filesystem::exists(prefsFile()));  // closed without OK

    drop(edgeOfRadius(5), {act::tab(2), act::standard(1)});
    EXPECT_EQ(leading(closed()["Normativa"]["items"]), kPipeStandards);
    EXPECT_EQ(closed()["Normativa"]["index"], 1);
    EXPECT_THAT(closed()["LblDescr"].get<std::string>(), StartsWith("G 1/8; "));
    EXPECT_EQ(module.CurrentNorma, 2);
}

TEST_F(DialogTest, MissingIndexFileDisablesTheChoiceUntilAGroupWithFilesIsSelected) {
    std::filesystem::remove(applDir() / "Norme" / "UN" / "Norme.ini");
    drop(edgeOfRadius(5), {act::tab(1)});
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_TRUE(isMissingIndexMessage(ui.messages()[0])) << ui.messages()[0].prompt;
    EXPECT_EQ(closed()["Normativa"]["enabled"], false);
    EXPECT_EQ(closed()["Normativa"]["items"], json::array());
    EXPECT_EQ(closed()["OKButton"]["enabled"], false);
    EXPECT_EQ(closed()["LblDescr"], kIsoCoarse);  // what the previous group showed stays

    // No user can confirm a disabled dialog; the next drop starts afresh all the same.
    EXPECT_THROW(drop(edgeOfRadius(5), {act::tab(1), act::ok()}), ui::ImpossibleAction);
    drop(edgeOfRadius(5), {act::tab(1), act::tab(2)});
    EXPECT_EQ(opened()["tab"], 0);
    EXPECT_EQ(closed()["Normativa"]["enabled"], true);
    EXPECT_EQ(closed()["OKButton"]["enabled"], true);
    EXPECT_EQ(leading(closed()["Normativa"]["items"]), kPipeStandards);
}

TEST_F(DialogTest, MissingIndexFileOfTheFirstGroupOpensDisabled) {
    std::filesystem::remove(applDir() / "Norme" / "ISO" / "Norme.ini");
    drop(edgeOfRadius(5), {act::tab(1), act::ok()});
    EXPECT_EQ(opened()["Normativa"]["enabled"], false);
    EXPECT_EQ(opened()["OKButton"]["enabled"], false);
    EXPECT_EQ(opened()["Lunghezza"]["text"], "Lunghezza");  // design-time texts
    EXPECT_EQ(opened()["LblDescr"], "");
    EXPECT_TRUE(isMissingIndexMessage(ui.messages().back()));
    EXPECT_EQ(leading(closed()["Normativa"]["items"]), kUnifiedStandards);
    EXPECT_TRUE(watch.seen.back().byOk);
    EXPECT_EQ(plateShapes().size(), 1u);
}

TEST_F(DialogTest, EmptyStandardsSectionLeavesAnEnabledEmptyListAndThePreviousData) {
    std::ofstream(applDir() / "Norme" / "UN" / "Norme.ini", std::ios::trunc) << "# no standards yet\r\n[1]\r\n[END]\r\n";
    drop(edgeOfRadius(5), {act::tab(1), act::ok()});
    EXPECT_THAT(ui.messages(), IsEmpty());
    const json& d = watch.seen.back().closed;
    EXPECT_EQ(d["Normativa"]["items"], json::array());
    EXPECT_EQ(d["Normativa"]["enabled"], true);
    EXPECT_EQ(d["OKButton"]["enabled"], true);
    EXPECT_EQ(d["LblDescr"], kIsoCoarse);
    EXPECT_EQ(d["Lunghezza"], opened()["Lunghezza"]);
    EXPECT_EQ(d["Passo"], opened()["Passo"]);
    ASSERT_EQ(plateShapes().size(), 1u);
    EXPECT_EQ(pinValues(*plateShapes()[0]), (PinValues{10, 2, 0.25, 0}));
}

TEST_F(DialogTest, DiameterLabelShowsTheEdgeDiameterAtTheHostPrecision) {
    drop(edgeOfRadius(5));
    EXPECT_EQ(opened()["lblTxtDiam"], "10");
    drop(edgeOfRadius(6.23456));
    EXPECT_EQ(opened()["lblTxtDiam"], "12.47");
    host.setDialogPrecision(0);
    drop(edgeOfRadius(6.23456));
    EXPECT_EQ(opened()["lblTxtDiam"], "12");
    host.setDialogPrecision(3);
    drop(edgeOfRadius(0.375));
    EXPECT_EQ(opened()["lblTxtDiam"], ".75");
    drop(edgeOfRadius(0));
    EXPECT_EQ(opened()["lblTxtDiam"], "Codice");

    // No rounding to tens: a negative precision fails the opening, as it fails an edit.
    host.setDialogPrecision(-1);
    const int formsBefore = ui.formsShown();
    EXPECT_EQ(errorNumber([&] { drop(edgeOfRadius(6.23456)); }), err::InvalidCall);
    EXPECT_EQ(ui.formsShown(), formsBefore);
}

// ------------------------------------------------------------ OK: the pin built

TEST_F(DialogTest, ManualDiameterWinsOnlyWhenTickedAndPositive) {
    struct Case {
        ui::UserScript answers;
        double diameter;
    };
    const std::vector<Case> cases = {
        {{}, 8},
        {{act::manual(1), act::diameter("12.5")}, 12.5},
        {{act::manual(1), act::diameter("12.5 mm")}, 12.5},
        {{act::manual(1), act::diameter("1 2")}, 12},
        {{act::manual(1), act::diameter("abc"), act::manual(0)}, 8},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        ui::UserScript answers = cases[i].answers;
        answers.push_back(act::ok());
        drop(edgeOfRadius(4), answers);
        ASSERT_EQ(plateShapes().size(), i + 1) << i;
        EXPECT_EQ(pinValues(*plateShapes()[i]).diameter, cases[i].diameter) << i;
        EXPECT_EQ(closed()["TxtDiam"]["visible"], closed()["ToggleMan"] != 0) << i;
    }
    EXPECT_THAT(ui.messages(), IsEmpty());
}

TEST_F(DialogTest, LengthAndPitchTakeTheLeadingNumberOfTheirTexts) {
    drop(edgeOfRadius(5), {act::length("30 mm"), act::pitch(" 1.5"), act::chamfer(1), act::ok()});
    drop(edgeOfRadius(5), {act::length("1 2"), act::pitch("1.75,"), act::ok()});
    drop(edgeOfRadius(5), {act::length("+4e1x"), act::pitch(".5,x"), act::ok()});
    ASSERT_EQ(plateShapes().size(), 3u);
    EXPECT_EQ(pinValues(*plateShapes()[0]), (PinValues{10, 30, 1.5, 1}));
    EXPECT_EQ(pinValues(*plateShapes()[1]), (PinValues{10, 12, 1.75, 1}));  // the chamfer as last time
    EXPECT_EQ(pinValues(*plateShapes()[2]), (PinValues{10, 40, 0.5, 1}));
    EXPECT_THAT(ui.messages(), IsEmpty());
}

TEST_F(DialogTest, OkRefusesATextThatIsNoPositiveNumberAndNamesIt) {
    struct Case {
        ui::UserScript answers;
        int message;        // offset of the refusal
        std::string value;  // as the message quotes it
        std::string field;  // the control given the focus
    };
    using namespace texts::id;
    const std::vector<Case> cases = {
        {{act::length("abc")}, RefusedLength, "abc", "Lunghezza"},
        {{act::length("")}, RefusedLength, "", "Lunghezza"},
        {{act::length("1,5")}, RefusedLength, "1,5", "Lunghezza"},
        {{act::length("12, 5 mm")}, RefusedLength, "12, 5 mm", "Lunghezza"},
        {{act::length("0")}, RefusedLength, "0", "Lunghezza"},
        {{act::length("-3")}, RefusedLength, "-3", "Lunghezza"},
        {{act::pitch("1,75")}, RefusedPitch, "1,75", "Passo"},
        {{act::pitch("Passo")}, RefusedPitch, "Passo", "Passo"},
        {{act::manual(1)}, RefusedDiameter, "", "TxtDiam"},
        {{act::manual(1), act::diameter("10,5")}, RefusedDiameter, "10,5", "TxtDiam"},
        {{act::manual(1), act::diameter("-0")}, RefusedDiameter, "-0", "TxtDiam"},
        // The first field in the dialog's order is named.
        {{act::manual(1), act::diameter("x"), act::length("y"), act::pitch("z")}, RefusedDiameter, "x", "TxtDiam"},
        // A long text is quoted by its first 40 characters, none of them cut.
        {{act::length(repeated("è", 50))}, RefusedLength, repeated("è", 40) + "…", "Lunghezza"},
    };
    std::string focused;
    watch.onClosed = [&](const ui::Form& form) { focused = form.focusRequest() ? form.focusRequest()->name : ""; };
    for (size_t i = 0; i < cases.size(); ++i) {
        ui::UserScript answers = cases[i].answers;
        answers.push_back(act::ok());
        drop(edgeOfRadius(4), answers);
        ASSERT_EQ(ui.messages().size(), i + 1) << i;
        const ui::Message& box = ui.messages().back();
        EXPECT_EQ(box.prompt, texts::MessageText(2000 + cases[i].message, cases[i].value)) << i;
        EXPECT_EQ(box.title, texts::MessageText(2000 + Title));
        EXPECT_EQ(box.icon, ui::Icon::Exclamation);
        EXPECT_EQ(focused, cases[i].field) << i;
        EXPECT_FALSE(watch.seen.back().byOk) << i;  // open until the user gave up
    }
    EXPECT_TRUE(plateShapes().empty());
    EXPECT_FALSE(std::filesystem::exists(prefsFile()));
}

TEST_F(DialogTest, RefusedTextCorrectedBuildsThePin) {
    drop(edgeOfRadius(5), {act::length("1,5"), act::ok(), act::length("1.5"), act::ok()});
    EXPECT_EQ(ui.messages().size(), 1u);
    EXPECT_TRUE(watch.seen.back().byOk);
    ASSERT_EQ(plateShapes().size(), 1u);
    EXPECT_EQ(pinValues(*plateShapes()[0]).length, 1.5);
    EXPECT_THAT(readPrefs(), HasSubstr(" 0 \r\n1.5\r\n"));
}

TEST_F(DialogTest, RefusalSpeaksTheDialogsLanguageAndLeavesAnEditedPinAlone) {
    drop(edgeOfRadius(5), {act::length("20"), act::ok()});
    ASSERT_EQ(plateShapes().size(), 1u);
    const std::string prefs = readPrefs();
    for (const auto& [language, base] : {std::pair{"Italian", 1000}, std::pair{"German", 3000}}) {
        setLanguage(language);
        doubleClick(plateShapes().at(0), {act::pitch("1,25"), act::ok()});
        EXPECT_EQ(ui.messages().back().prompt, texts::MessageText(base + texts::id::RefusedPitch, "1,25"));
    }
    EXPECT_EQ(pinValues(*plateShapes()[0]).length, 20);
    EXPECT_EQ(readPrefs(), prefs);
}

TEST_F(DialogTest, NumberTooLargeFailsTheConfirmationAndKeepsTheDialogOpen) {
    drop(edgeOfRadius(5), {act::manual(1), act::diameter("1e999"), act::ok(), act::diameter("6"), act::ok()});
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].prompt, ui::eventErrorMessage(Error::runtime(err::Overflow)).prompt);
    ASSERT_EQ(plateShapes().size(), 1u);
    EXPECT_EQ(pinValues(*plateShapes()[0]).diameter, 6);
}

TEST_F(DialogTest, OkWritesTheSixPreferenceLines) {
    drop(edgeOfRadius(5), {act::tab(1), act::length("20"), act::pitch("1.5"), act::chamfer(1), act::ok()});
    EXPECT_EQ(readPrefs(), " 1500 \r\n 3000 \r\n 1 \r\n20\r\n1.5\r\n 1 \r\n");
    ASSERT_EQ(plateShapes().size(), 1u);
    EXPECT_TRUE(watch.seen.back().byOk);
}

TEST_F(DialogTest, FailedCreateKeepsTheDialogOpenAndWritesNoPreferences) {
    host.failMember("Add");
    drop(edgeOfRadius(5), {act::length("20"), act::ok()});
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].prompt, ui::eventErrorMessage(sim::injectedFailure()).prompt);
    EXPECT_TRUE(ui::isEventErrorMessage(ui.messages()[0]));
    EXPECT_FALSE(watch.seen.back().byOk);  // closed from its title bar once the user gave up
    EXPECT_FALSE(std::filesystem::exists(prefsFile()));
    EXPECT_TRUE(plateShapes().empty());

    // A build that fails half-way leaves what it built; the dialog stays usable.
    host.clearFaults();
    host.failMember("AddEllipse");
    drop(edgeOfRadius(5), {act::ok(), act::length("40")});
    EXPECT_EQ(closed()["Lunghezza"]["text"], "40");
    EXPECT_FALSE(std::filesystem::exists(prefsFile()));
    EXPECT_EQ(plateShapes().size(), 1u);
}

TEST_F(DialogTest, PreferencesThatCannotBeWrittenAreReportedAndThePinStays) {
    setProductSetting("File Prefs", "\\no such folder\\Zelvacorin.prf");
    drop(edgeOfRadius(5), {act::ok()});
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[0].title, "Read Prefs");
    EXPECT_EQ(ui.messages()[1].title, "Write Prefs");
    EXPECT_EQ(ui.messages()[1].prompt, "ERRORE  76 Path not found");
    EXPECT_FALSE(ui::isEventErrorMessage(ui.messages()[1]));  // critical, yet the dialog closed by OK
    EXPECT_EQ(plateShapes().size(), 1u);
    EXPECT_TRUE(watch.seen.back().byOk);
}

// ------------------------------------------------------------ preferences

TEST_F(DialogTest, NextNewPinStartsFromTheLastNewPinsChoice) {
    writePrefs(crlfLines({" 2000 ", " 4100 ", " 0 ", "2", ".25", " 0 "}));
    drop(edgeOfRadius(5), {act::tab(2), act::standard(1), act::length("25"), act::pitch("3"), act::chamfer(1),
                           act::ok()});
    EXPECT_EQ(readPrefs(), crlfLines({" 2000 ", " 4100 ", " 2 ", "25", "3", " 1 "}));

    drop(edgeOfRadius(5));
    const json& d = opened();
    EXPECT_EQ(d["top"], 2000);
    EXPECT_EQ(d["left"], 4100);
    EXPECT_EQ(d["tab"], 2);
    EXPECT_EQ(leading(d["Normativa"]["items"]), kPipeStandards);
    EXPECT_EQ(d["Lunghezza"]["text"], "25");  // wins over the list's first value
    EXPECT_EQ(d["Passo"]["text"], "3");
    EXPECT_EQ(d["ToggleSmusso"], 1);
    EXPECT_EQ(module.CurrentNorma, 2);
}

TEST_F(DialogTest, ShortPreferencesFileKeepsTheLinesReadAndSaysWhy) {
    writePrefs(crlfLines({" 1700 ", " 2100 ", " 1 ", "  33  "}));
    drop(edgeOfRadius(5));
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].prompt, "ERRORE  62 Input past end of file");
    EXPECT_EQ(ui.messages()[0].title, "Read Prefs");
    EXPECT_EQ(ui.messages()[0].icon, ui::Icon::Critical);
    const json& d = opened();
    EXPECT_EQ(d["top"], 1700);
    EXPECT_EQ(d["left"], 2100);
    EXPECT_EQ(d["tab"], 1);
    EXPECT_EQ(leading(d["Normativa"]["items"]), kUnifiedStandards);
    EXPECT_EQ(d["Lunghezza"]["text"], "33");
    EXPECT_EQ(d["Passo"]["text"], d["Passo"]["items"].front());
    EXPECT_EQ(d["ToggleSmusso"], 0);
}

TEST_F(DialogTest, PreferencesNamingNoTabKeepTheShownGroup) {
    writePrefs(crlfLines({" 1700 ", " 2100 ", " 7 ", "33", "2", " 1 "}));
    drop(edgeOfRadius(5), {act::ok()});
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].title, "Read Prefs");
    EXPECT_THAT(ui.messages()[0].prompt, StartsWith("ERRORE  380 "));
    EXPECT_EQ(opened()["top"], 1700);
    EXPECT_EQ(opened()["tab"], 0);
    EXPECT_EQ(leading(opened()["Normativa"]["items"]), kIsoStandards);
    EXPECT_EQ(opened()["Lunghezza"]["text"], "2");
    EXPECT_EQ(module.CurrentNorma, 0);
    EXPECT_EQ(readPrefs(), crlfLines({" 1700 ", " 2100 ", " 0 ", "2", "0.25", " 0 "}));
}

TEST_F(DialogTest, PreferredTabRoundsHalvesToTheEvenNeighbour) {
    setProductSetting("Norme#3", "Fourth");
    setProductSetting("Norme Dir#3", "\\Norme\\UN\\");
    setProductSetting("Norme#4", "Fifth");
    setProductSetting("Norme Dir#4", "\\Norme\\PIPE\\");
    const auto openWithTabLine = [&](const std::string& line) {
        writePrefs(crlfLines({" 1500 ", " 3000 ", line, "20", "1", " 0 "}));
        drop(edgeOfRadius(5));
        return opened();
    };
    EXPECT_EQ(openWithTabLine("2.5")["tab"], 2);
    EXPECT_EQ(module.CurrentNorma, 2);
    EXPECT_EQ(openWithTabLine(" 3.5 ")["tab"], 4);
    EXPECT_EQ(leading(opened()["Normativa"]["items"]), kPipeStandards);
    EXPECT_EQ(module.CurrentNorma, 4);
    EXPECT_EQ(opened()["tabs"].size(), 5u);
    EXPECT_THAT(ui.messages(), IsEmpty());
}

// ------------------------------------------------------------ edge notice

TEST_F(DialogTest, EdgeNoticeSpeaksTheLanguageAndClosesOnOkWithoutChange) {
    setLanguage("German");
    buildPin(10, 30, 1.5, 1);
    const json before = sim::documentJson(host);
    drop(host.addLineEdge(plate, {0, 0, 0}, {0, 0, 1}), {act::ok()});
    ASSERT_EQ(watch.seen.size(), 1u);
    EXPECT_EQ(watch.seen[0].form, "DlgInfo");
    EXPECT_EQ(opened()["caption"], "自定义螺纹");
    EXPECT_EQ(opened()["LblWarning"], "请选择一条边来定义螺纹.");
    EXPECT_EQ(opened()["OKButton"], "确定");
    EXPECT_TRUE(watch.seen[0].byOk);
    EXPECT_THAT(ui.messages(), IsEmpty());
    EXPECT_EQ(sim::documentJson(host), before);
    EXPECT_FALSE(std::filesystem::exists(prefsFile()));
}

}  // namespace
