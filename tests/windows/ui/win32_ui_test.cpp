// The component's forms as real dialogs. The user at the screen finds each
// dialog by its title, reads what the controls show and compares it with the
// form model, acts through window messages, and the test then checks what the
// stand-in document holds.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <thread>

#include "Win32UiFixture.h"
#include "app/windows/ScreenUser.h"
#include "env/MessageTexts.h"
#include "support/DialogFixture.h"
#include "win32/ControlIds.h"
#include "win32text/WideText.h"

using namespace zelva;
using namespace zelva::screen;
using namespace std::chrono_literals;
namespace fs = std::filesystem;
namespace ids = zelva::win32::ids;

namespace {

using test::kFormTitle;
using test::Win32UiTest;

std::vector<std::wstring> tabCaptionsOf(const ui::TabStrip& tabs) {
    std::vector<std::wstring> captions;
    for (int i = 0; i < tabs.tabs(); ++i) captions.push_back(win32::widen(tabs.tabCaption(i)));
    return captions;
}

std::vector<std::wstring> itemsOf(const ui::ComboBox& list) {
    std::vector<std::wstring> items;
    for (int i = 0; i < list.listCount(); ++i) items.push_back(win32::widen(list.item(i)));
    return items;
}

std::vector<LRESULT> itemDataOf(const ui::ComboBox& list) {
    std::vector<LRESULT> data;
    for (int i = 0; i < list.listCount(); ++i) data.push_back(list.itemData(i));
    return data;
}

using ThreadDialog = Win32UiTest;
using Refusals = Win32UiTest;

// ------------------------------------------------------------ the thread parameter dialog

TEST_F(ThreadDialog, ShowsTheModelAndBuildsThePinTheUserChose) {
    std::vector<std::wstring> tabs, standards, pitchesShown;
    std::vector<LRESULT> standardsData;
    int tab = -1, standard = -1, chamfer = -1;
    std::wstring diameter, pitch;
    bool manualDiameterShown = true;
    RECT frame{};
    drop(edge(), [&] {
        const HWND d = waitForDialog(kFormTitle);
        GetWindowRect(d, &frame);
        tabs = tabCaptions(GetDlgItem(d, ids::StandardGroups));
        tab = currentTab(GetDlgItem(d, ids::StandardGroups));
        standards = listItems(GetDlgItem(d, ids::Standards));
        standardsData = listItemData(GetDlgItem(d, ids::Standards));
        diameter = textOf(GetDlgItem(d, ids::Diameter));
        manualDiameterShown = isShown(GetDlgItem(d, ids::ManualDiameter));

        pickItem(GetDlgItem(d, ids::Standards), 1);
        standard = listIndex(GetDlgItem(d, ids::Standards));
        pitchesShown = listItems(GetDlgItem(d, ids::Pitches));
        pitch = textOf(GetDlgItem(d, ids::Pitches));
        type(GetDlgItem(d, ids::Lengths), L"30 mm");
        click(GetDlgItem(d, ids::Chamfer));
        chamfer = checkState(GetDlgItem(d, ids::Chamfer));
        postClick(GetDlgItem(d, ids::Ok));
        if (!waitUntilClosed(d)) throw std::runtime_error("OK left the dialog open");
    });

    // What the window showed when it opened is the model as it was loaded.
    EXPECT_EQ(tabs, tabCaptionsOf(opened().TabNorme));
    EXPECT_EQ(tab, opened().TabNorme.tab());
    EXPECT_EQ(standards, itemsOf(opened().Normativa));
    EXPECT_EQ(standardsData, itemDataOf(opened().Normativa));
    EXPECT_EQ(diameter, L"10");
    EXPECT_FALSE(manualDiameterShown);
    EXPECT_EQ(frame.left, 200);  // the model's 3000 twips, at the prefix's 96 dots per inch
    EXPECT_EQ(frame.top, 100);   // and 1500 twips

    // The user's choices reached the model and raised its events.
    EXPECT_EQ(standard, 1);
    EXPECT_EQ(closed().Normativa.listIndex(), 1);
    EXPECT_EQ(pitchesShown, itemsOf(closed().Passo));
    EXPECT_EQ(pitch, win32::widen(closed().Passo.text()));
    EXPECT_EQ(closed().Lunghezza.text(), "30 mm");
    EXPECT_EQ(chamfer, BST_CHECKED);

    ASSERT_EQ(plate->shapes().size(), 1u);
    const double pitchValue = std::stod(win32::narrow(pitch));
    EXPECT_EQ(test::pinValues(*plate->shapes()[0]), (test::PinValues{10, 30, pitchValue, 1}));
    EXPECT_TRUE(fs::exists(prefsFile()));
    EXPECT_TRUE(forms.boxes.empty());
}

TEST_F(ThreadDialog, TypingPastAListItemsTextKeepsEveryCharacter) {
    // "2" and "1" are items of the lists: the dialog must not select them
    // under the caret while the user goes on typing "25 mm" and "1.25".
    std::wstring length, pitch;
    drop(edge(), [&] {
        const HWND d = waitForDialog(kFormTitle);
        type(GetDlgItem(d, ids::Lengths), L"25 mm");
        type(GetDlgItem(d, ids::Pitches), L"1.25");
        length = textOf(GetDlgItem(d, ids::Lengths));
        pitch = textOf(GetDlgItem(d, ids::Pitches));
        postClick(GetDlgItem(d, ids::Ok));
        if (!waitUntilClosed(d)) throw std::runtime_error("OK left the dialog open");
    });
    EXPECT_EQ(length, L"25 mm");
    EXPECT_EQ(pitch, L"1.25");
    EXPECT_EQ(closed().Lunghezza.text(), "25 mm");
    EXPECT_EQ(closed().Passo.text(), "1.25");
}

TEST_F(ThreadDialog, AnotherTabShowsItsOwnStandards) {
    std::vector<std::wstring> standards;
    int tab = -1;
    drop(edge(), [&] {
        const HWND d = waitForDialog(kFormTitle);
        clickTab(GetDlgItem(d, ids::StandardGroups), 1);
        tab = currentTab(GetDlgItem(d, ids::StandardGroups));
        standards = listItems(GetDlgItem(d, ids::Standards));
        closeFromTitleBar(d);
    });
    EXPECT_EQ(tab, 1);
    EXPECT_EQ(closed().TabNorme.tab(), 1);
    EXPECT_EQ(session.module.CurrentNorma, 1);
    EXPECT_NE(itemsOf(closed().Normativa), itemsOf(opened().Normativa));
    EXPECT_EQ(standards, itemsOf(closed().Normativa));
}

TEST_F(ThreadDialog, ManualDiameterAppearsWithItsSwitchAndIsBuilt) {
    bool shownAfterTick = false;
    drop(edge(), [&] {
        const HWND d = waitForDialog(kFormTitle);
        click(GetDlgItem(d, ids::ManualSwitch));
        shownAfterTick = isShown(GetDlgItem(d, ids::ManualDiameter));
        type(GetDlgItem(d, ids::ManualDiameter), L"12.5");
        postClick(GetDlgItem(d, ids::Ok));
    });
    EXPECT_TRUE(shownAfterTick);
    ASSERT_EQ(plate->shapes().size(), 1u);
    EXPECT_EQ(test::pinValues(*plate->shapes()[0]).diameter, 12.5);
}

TEST_F(ThreadDialog, CancelAndTheTitleBarsCloseBuildNothing) {
    for (const auto& leave : std::vector<std::function<void(HWND)>>{
             [](HWND d) { postClick(GetDlgItem(d, ids::Cancel)); }, [](HWND d) { closeFromTitleBar(d); }}) {
        bool gone = false;
        drop(edge(), [&] {
            const HWND d = waitForDialog(kFormTitle);
            type(GetDlgItem(d, ids::Lengths), L"40");
            leave(d);
            gone = waitUntilClosed(d);
        });
        EXPECT_TRUE(gone);
    }
    EXPECT_TRUE(plate->shapes().empty());
    EXPECT_FALSE(fs::exists(prefsFile()));
}

TEST_F(ThreadDialog, FailedConfirmationIsReportedAndTheDialogStaysOpen) {
    std::wstring boxTitle, boxText;
    bool openAfterBox = false;
    drop(edge(), [&] {
        const HWND d = waitForDialog(kFormTitle);
        click(GetDlgItem(d, ids::ManualSwitch));
        type(GetDlgItem(d, ids::ManualDiameter), L"1e999");  // too large for the diameter
        postClick(GetDlgItem(d, ids::Ok));
        const HWND box = waitForDialog(L"Zelvacorin");
        boxTitle = textOf(box);
        boxText = messageOf(box);
        postClick(GetDlgItem(box, IDOK));
        waitUntilClosed(box);
        openAfterBox = IsWindow(d) && isShown(d);
        type(GetDlgItem(d, ids::ManualDiameter), L"6");
        postClick(GetDlgItem(d, ids::Ok));
    });
    EXPECT_EQ(boxTitle, L"Zelvacorin");
    EXPECT_EQ(boxText, win32::widen(ui::eventErrorMessage(Error::runtime(err::Overflow)).prompt));
    EXPECT_TRUE(openAfterBox);
    ASSERT_EQ(plate->shapes().size(), 1u);
    EXPECT_EQ(test::pinValues(*plate->shapes()[0]).diameter, 6);
}

TEST_F(ThreadDialog, WherePeopleLeaveItIsRemembered) {
    drop(edge(), [&] {
        const HWND d = waitForDialog(kFormTitle);
        moveTo(d, 300, 150);
        postClick(GetDlgItem(d, ids::Ok));
    });
    EXPECT_EQ(closed().left, 4500);
    EXPECT_EQ(closed().top, 2250);

    RECT frame{};
    drop(edge(), [&] {
        const HWND d = waitForDialog(kFormTitle);
        GetWindowRect(d, &frame);
        closeFromTitleBar(d);
    });
    EXPECT_EQ(frame.left, 300);
    EXPECT_EQ(frame.top, 150);
}

// ------------------------------------------------------------ the notice and the units refusal

TEST_F(Refusals, DropOffAnEdgeShowsTheNoticeUntilOk) {
    std::wstring warning;
    bool gone = false;
    drop(face(), [&] {
        const HWND notice = waitForDialog(kFormTitle);
        warning = textOf(GetDlgItem(notice, ids::Warning));
        postClick(GetDlgItem(notice, ids::NoticeOk));
        gone = waitUntilClosed(notice);
    });
    EXPECT_EQ(forms.formsShown, std::vector<ui::FormKind>{ui::FormKind::DlgInfo});
    EXPECT_EQ(warning, win32::widen(env::MessageText(2000 + env::text::EdgeNotice)));
    EXPECT_TRUE(gone);
    EXPECT_TRUE(plate->shapes().empty());
}

TEST_F(Refusals, PageInInchesIsRefusedWithExactlyOneMessageBox) {
    host.setPageLengthUnits(1);
    std::vector<std::wstring> texts;
    drop(edge(), [&] {
        const HWND box = waitForDialog(kFormTitle);
        texts.push_back(messageOf(box));
        postClick(GetDlgItem(box, IDOK));
        waitUntilClosed(box);
        // Anything further would appear now.
        std::this_thread::sleep_for(500ms);
        for (HWND more : openDialogs(GetWindowThreadProcessId(box, nullptr))) texts.push_back(messageOf(more));
    });
    EXPECT_EQ(texts, std::vector<std::wstring>{win32::widen(env::MessageText(2000 + env::text::UnitsPrompt))});
    EXPECT_TRUE(forms.formsShown.empty());
}

// ------------------------------------------------------------ each language, with screenshots

struct Language {
    const char* setting;  // the registry's "Language"
    int base;             // of its message texts
    const char* tag;      // in the screenshots' names
};

class EachLanguage : public Win32UiTest, public ::testing::WithParamInterface<Language> {};

TEST_P(EachLanguage, FormsSpeakItAndArePictured) {
    const Language language = GetParam();
    setLanguage(language.setting);
    const auto text = [&](int offset) { return win32::widen(env::MessageText(language.base + offset)); };

    std::wstring standardLabel, cancel, chamferTip, warning;
    bool chamferPictured = false, noticePictured = false;
    drop(edge(), [&] {
        const HWND d = waitForDialog(kFormTitle);
        standardLabel = textOf(GetDlgItem(d, ids::StandardLabel));
        cancel = textOf(GetDlgItem(d, ids::Cancel));
        chamferTip = toolTipOf(GetDlgItem(d, ids::Chamfer));
        chamferPictured = pictureOf(GetDlgItem(d, ids::Chamfer)) != nullptr;
        screenshot(d, std::string("dialog-") + language.tag);
        closeFromTitleBar(d);
    });
    drop(face(), [&] {
        const HWND notice = waitForDialog(kFormTitle);
        warning = textOf(GetDlgItem(notice, ids::Warning));
        noticePictured = pictureOf(GetDlgItem(notice, ids::Picture)) != nullptr;
        screenshot(notice, std::string("notice-") + language.tag);
        postClick(GetDlgItem(notice, ids::NoticeOk));
    });
    EXPECT_EQ(standardLabel, text(env::text::StandardLabel));
    EXPECT_EQ(cancel, text(env::text::Cancel));
    EXPECT_EQ(chamferTip, text(env::text::ChamferToolTip));
    EXPECT_EQ(warning, text(env::text::EdgeNotice));
    EXPECT_TRUE(chamferPictured);
    EXPECT_TRUE(noticePictured);
}

INSTANTIATE_TEST_SUITE_P(Languages, EachLanguage,
                         ::testing::Values(Language{"Italian", 1000, "italian"}, Language{"English", 2000, "english"},
                                           Language{"German", 3000, "german"}),
                         [](const auto& test) { return std::string(test.param.setting); });

}  // namespace
