// Whole rounds of work replayed through `pinhost run`: each scenario's
// transcript must match the one kept beside it, and bad scenarios are refused
// with the line that is wrong.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <set>
#include <variant>

#include "standin/corehost/ModelSnapshot.h"
#include "support/ComponentFixture.h"
#include "windows/server/win32/ControlIds.h"

namespace fs = std::filesystem;

namespace {

std::string readText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs pinhost; returns its exit status, with its output in `out`.
int runPinhost(const fs::path& scenario, const fs::path& dir, std::string& out, const std::string& options = "") {
    fs::create_directories(dir);
    const fs::path log = dir / "pinhost.log";
    const std::string command = std::string("\"") + ZELVA_PINHOST + "\" run \"" + scenario.string() + "\" --out \"" +
                                dir.string() + "\" --install \"" + ZELVA_STAGED_INSTALL + "\" " + options + " >\"" + log.string() +
                                "\" 2>&1";
    const int status = std::system(command.c_str());
    out = readText(log);
    return WEXITSTATUS(status);
}

// The transcript with the run's own folder written as <OUT>.
std::string portableTranscript(const fs::path& dir) {
    std::string text = readText(dir / "transcript.jsonl");
    const std::string own = dir.string();
    for (size_t at; (at = text.find(own)) != std::string::npos;) text.replace(at, own.size(), "<OUT>");
    return text;
}

class ScenarioReplay : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(ScenarioReplay, TranscriptMatchesTheRecordedOne) {
    // The recorded transcripts live here; the demo's scenario is the one `./run demo` replays.
    const fs::path scenarios = fs::path(ZELVA_SOURCE_DIR) / "tests" / "scenarios";
    const fs::path scenario = GetParam() == "demo" ? fs::path(ZELVA_SOURCE_DIR) / "examples" / "demo.scn"
                                                   : scenarios / (GetParam() + ".scn");
    const zelva::test::TempDir dir;
    std::string output;
    ASSERT_EQ(runPinhost(scenario, dir.path(), output), 0) << output;
    const std::string expected = readText(scenarios / (GetParam() + ".jsonl"));
    const std::string actual = portableTranscript(dir.path());
    if (std::getenv("ZELVA_RECORD_SCENARIOS")) std::ofstream(scenarios / (GetParam() + ".jsonl")) << actual;
    EXPECT_EQ(actual, expected) << "to record anew: ZELVA_RECORD_SCENARIOS=1";
    for (const char* file : {"document.json", "model.svg", "drawing.svg"}) EXPECT_TRUE(fs::exists(dir.path() / file));
}

TEST(ScenarioFiles, JournalIsWrittenOnlyWhenAskedFor) {
    const fs::path demo = fs::path(ZELVA_SOURCE_DIR) / "examples" / "demo.scn";
    const zelva::test::TempDir dir;
    const fs::path journal = dir.path() / "journal.txt";
    std::string output;
    ASSERT_EQ(runPinhost(demo, dir.path() / "with", output, "--journal \"" + journal.string() + "\""), 0) << output;
    const std::string text = readText(journal);
    EXPECT_NE(text.find(".HitElementType"), std::string::npos) << text.substr(0, 400);
    EXPECT_NE(text.find(".readString("), std::string::npos);
    // The journal leaves the run's own results as they are.
    ASSERT_EQ(runPinhost(demo, dir.path() / "without", output), 0) << output;
    EXPECT_EQ(portableTranscript(dir.path() / "with"), portableTranscript(dir.path() / "without"));
}

INSTANTIATE_TEST_SUITE_P(Recorded, ScenarioReplay,
                         ::testing::Values("demo", "units_refused", "notice_in_german", "missing_tables",
                                           "edit_cancel_and_manual", "size_match_and_callout", "texts_english_tag",
                                           "texts_german_tag", "texts_italian_tag", "refused_numbers",
                                           "places_out_of_reach"));

TEST(ScenarioFiles, MalformedLineStopsTheRunNamingIt) {
    const zelva::test::TempDir dir;
    const std::pair<const char*, const char*> cases[] = {
        {"part plate\nedge e circle plate 0 0 0 0 0 1\n", ":3: expected `edge NAME circle PART X Y Z NX NY NZ RADIUS [DEPTH]`"},
        {"> ok\n", ":2: expected answers only after a `drop` or `dblclick` line"},
        {"units mm\n", ":2: expected a unit code as a whole number, not 'mm'"},
        {"screen 800 0\n", ":2: expected a screen of at least one pixel"},
        {"part p\nedge e circle p 0 0 0 0 0 1 5\ndrop e\n> move 10\n", ":5: expected `> move X Y`"},
        {"part p\nedge e circle p 0 0 0 0 0 1 5\ndrop e\n> chamfer 2\n", ":5: expected 0 or 1 after `> chamfer`"},
        {"setting \"Directories ThreadFile x\n", ":2: expected a closing double quote"},
        {"dblclick pin1\n", ":2: no pin named pin1"},
        {"part p\nface f p 0 0 0 0 0 1\ndrop f\n> tab 1\n", ":4: this answer needs the thread parameter dialog"},
    };
    for (const auto& [text, message] : cases) {
        const fs::path scenario = dir.path() / "bad.scn";
        std::ofstream(scenario) << "# a comment\n" << text;
        std::string output;
        EXPECT_EQ(runPinhost(scenario, dir.path() / "out", output), 2) << text;
        EXPECT_NE(output.find(message), std::string::npos) << output;
    }
}

// The dialog's snapshot reads every control the transcript shows from the form
// model, found by its name; a control missing there stops the snapshot.
TEST(DialogSnapshot, ShowsEveryControlOfTheModelByItsName) {
    const zelva::ui::Dialog dialog;
    const zelva::pinhost::ShownForm shown = zelva::corehost::shownForm(dialog);
    for (const zelva::pinhost::DialogControl& control : zelva::pinhost::kDialogControls)
        EXPECT_TRUE(shown.controls.contains(control.name)) << control.name;
    EXPECT_EQ(shown.controls["LblDiam"], "Diametro");
    EXPECT_EQ(shown.controls["TxtDiam"]["visible"], false);
    EXPECT_EQ(shown.controls["OKButton"]["caption"], "OK");
}

// One table pairs the dialog model's controls with their windows: each control
// of the model has its row and its own window, and each row names a control.
TEST(DialogControls, EveryControlOfTheModelHasItsWindowInTheTable) {
    using zelva::server::win32::ids::kThreadDialogControls;
    const zelva::ui::Dialog dialog;
    std::set<std::string, std::less<>> modelNames;
    for (const zelva::ui::TypedControl& control : dialog.controls()) {
        const std::string name = std::visit([](auto* c) { return c->name; }, control);
        modelNames.insert(name);
        EXPECT_NE(zelva::server::win32::ids::windowOf(name), 0) << name << " has no window";
    }
    EXPECT_EQ(modelNames.size(), dialog.controls().size()) << "two controls of one name";
    std::set<int> windows;
    for (const auto& [model, id] : kThreadDialogControls) {
        EXPECT_TRUE(modelNames.contains(model)) << model << " is no control of the model";
        EXPECT_TRUE(windows.insert(id).second) << model << " shares its window";
    }
    EXPECT_EQ(std::size(kThreadDialogControls), modelNames.size());
}
