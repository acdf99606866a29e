// The component's forms as real dialogs. The user at the screen finds each
// dialog by its title, reads what the controls show and compares it with the
// form model, acts through window messages, and the test then checks what the
// stand-in document holds.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "Win32UiFixture.h"
#include "core/texts/MessageTexts.h"
#include "support/DialogFixture.h"
#include "windows/server/win32/ControlIds.h"
#include "windows/win32text/WideText.h"
#include "standin/win32user/ScreenUser.h"
#include "standin/win32user/Screenshot.h"

using namespace zelva;
using namespace zelva::win32user;
using namespace std::chrono_literals;
namespace fs = std::filesystem;
namespace ids = zelva::server::win32::ids;

namespace {

using test::kFormTitle;
using test::Win32UiTest;

std::vector<std::wstring> tabCaptionsOf(const ui::TabStrip& tabs) {
    std::vector<std::wstring> captions;
    for (int i = 0; i < tabs.tabs(); ++i) captions.push_back(win32text::widen(tabs.tabCaption(i)));
    return captions;
}

std::vector<std::wstring> itemsOf(const ui::ComboBox& list) {
    std::vector<std::wstring> items;
    for (int i = 0; i < list.listCount(); ++i) items.push_back(win32text::widen(list.item(i)));
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
    EXPECT_EQ(pitch, win32text::widen(closed().Passo.text()));
    EXPECT_EQ(closed().Lunghezza.text(), "30 mm");
    EXPECT_EQ(chamfer, BST_CHECKED);

    ASSERT_EQ(plate->shapes().size(), 1u);
    const double pitchValue = std::stod(win32text::narrow(pitch));
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
    EXPECT_EQ(boxText, win32text::widen(ui::eventErrorMessage(Error::runtime(err::Overflow)).prompt));
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
    EXPECT_EQ(warning, win32text::widen(texts::MessageText(2000 + texts::id::EdgeNotice)));
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
    EXPECT_EQ(texts, std::vector<std::wstring>{win32text::widen(texts::MessageText(2000 + texts::id::UnitsPrompt))});
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
    const auto text = [&](int offset) { return win32text::widen(texts::MessageText(language.base + offset)); };
    const std::wstring title = text(texts::id::Title);

    std::wstring standardLabel, cancel, chamferTip, warning, units;
    bool chamferPictured = false, noticePictured = false;
    drop(edge(), [&] {
        const HWND d = waitForDialog(title);
        standardLabel = textOf(GetDlgItem(d, ids::StandardLabel));
        cancel = textOf(GetDlgItem(d, ids::Cancel));
        chamferTip = toolTipOf(GetDlgItem(d, ids::Chamfer));
        chamferPictured = pictureOf(GetDlgItem(d, ids::Chamfer)) != nullptr;
        screenshot(d, std::string("dialog-") + language.tag);
        closeFromTitleBar(d);
    });
    drop(face(), [&] {
        const HWND notice = waitForDialog(title);
        warning = textOf(GetDlgItem(notice, ids::Warning));
        noticePictured = pictureOf(GetDlgItem(notice, ids::Picture)) != nullptr;
        screenshot(notice, std::string("notice-") + language.tag);
        postClick(GetDlgItem(notice, ids::NoticeOk));
    });
    host.setPageLengthUnits(1);
    drop(edge(), [&] {
        const HWND box = waitForDialog(title);
        units = messageOf(box);
        screenshot(box, std::string("units-") + language.tag);
        postClick(GetDlgItem(box, IDOK));
    });
    EXPECT_EQ(standardLabel, text(texts::id::StandardLabel));
    EXPECT_EQ(cancel, text(texts::id::Cancel));
    EXPECT_EQ(chamferTip, text(texts::id::ChamferToolTip));
    EXPECT_EQ(warning, text(texts::id::EdgeNotice));
    EXPECT_EQ(units, text(texts::id::UnitsPrompt));
    EXPECT_TRUE(chamferPictured);
    EXPECT_TRUE(noticePictured);
}

// The old blocks by their names, the complete sets by their tags.
const Language kEachLanguage[] = {{"Italian", 1000, "italian"}, {"English", 2000, "english"},
                                  {"German", 3000, "german"},   {"en-US", 4000, "english-set"},
                                  {"de-DE", 5000, "german-set"}, {"it-IT", 6000, "italian-set"}};

std::string testName(const ::testing::TestParamInfo<Language>& test) {
    std::string name = test.param.setting;
    name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
    return name;
}

INSTANTIATE_TEST_SUITE_P(Languages, EachLanguage, ::testing::ValuesIn(kEachLanguage), testName);

// ------------------------------------------------------------ every text fits, at the screen's resolution

// The width a text takes in a control's own font, on one line.
int textWidth(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    const HGDIOBJ before = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, before);
    ReleaseDC(control, dc);
    return r.right;
}

int clientWidth(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    return r.right;
}

// What a control's text may not take of its width: a push button's frame and
// focus rectangle on both sides, a check box's box and the gap after it.
int buttonFrame() { return 4 * GetSystemMetrics(SM_CXEDGE); }
int checkBoxFrame() { return GetSystemMetrics(SM_CXMENUCHECK) + 2 * GetSystemMetrics(SM_CXEDGE); }

// A control whose one-line text must fit its width, less `frame`.
void expectFits(HWND dialog, int id, int frame, const char* what) {
    const HWND control = GetDlgItem(dialog, id);
    const std::wstring text = textOf(control);
    EXPECT_LE(textWidth(control, text) + frame, clientWidth(control))
        << what << " \"" << win32text::narrow(text) << "\" is cut off";
}

// The form's caption in the title bar's font, beside the close button.
void expectCaptionFits(HWND form) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
    HDC dc = GetDC(nullptr);
    const HGDIOBJ before = SelectObject(dc, font);
    const std::wstring caption = textOf(form);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, before);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    RECT frame;
    GetWindowRect(form, &frame);
    const int room = frame.right - frame.left - 2 * GetSystemMetrics(SM_CXFIXEDFRAME) - GetSystemMetrics(SM_CXSIZE) -
                     GetSystemMetrics(SM_CXSMICON);
    EXPECT_LE(r.right, room) << "the caption \"" << win32text::narrow(caption) << "\" is cut off";
}

class TextsFit : public Win32UiTest, public ::testing::WithParamInterface<Language> {};

// The screen's dots per inch, which ZELVA_EXPECTED_DPI, when set, says they must be.
int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

TEST_P(TextsFit, EveryCaptionFitsItsControlAndTheNoticeWrapsInsideItsLabel) {
    if (const char* expected = std::getenv("ZELVA_EXPECTED_DPI")) {
        ASSERT_EQ(screenDpi(), std::atoi(expected));
    }
    const Language language = GetParam();
    setLanguage(language.setting);
    const std::wstring title = win32text::widen(texts::MessageText(language.base + texts::id::Title));
    drop(edge(), [&] {
        const HWND d = waitForDialog(title);
        expectCaptionFits(d);
        const std::pair<int, const char*> labels[] = {{ids::StandardLabel, "the standard's label"},
                                                      {ids::DiameterLabel, "the diameter's label"},
                                                      {ids::LengthLabel, "the length's label"},
                                                      {ids::PitchLabel, "the pitch's label"}};
        for (const auto& [id, what] : labels) expectFits(d, id, 0, what);
        expectFits(d, ids::ManualSwitch, checkBoxFrame(), "the manual switch");
        expectFits(d, ids::Ok, buttonFrame(), "OK");
        expectFits(d, ids::Cancel, buttonFrame(), "Cancel");
        closeFromTitleBar(d);
    });
    drop(face(), [&] {
        const HWND notice = waitForDialog(title);
        expectCaptionFits(notice);
        expectFits(notice, ids::NoticeOk, buttonFrame(), "OK");
        const HWND warning = GetDlgItem(notice, ids::Warning);
        const std::wstring text = textOf(warning);
        RECT label, wrapped;
        GetClientRect(warning, &label);
        wrapped = label;
        HDC dc = GetDC(warning);
        const HGDIOBJ before = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(warning, WM_GETFONT, 0, 0)));
        DrawTextW(dc, text.c_str(), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, before);
        ReleaseDC(warning, dc);
        EXPECT_LE(wrapped.right, label.right) << "a word of the notice is wider than its label";
        EXPECT_LE(wrapped.bottom, label.bottom) << "the notice's last lines are cut off";
        postClick(GetDlgItem(notice, ids::NoticeOk));
    });
}

INSTANTIATE_TEST_SUITE_P(Languages, TextsFit, ::testing::ValuesIn(kEachLanguage), testName);

}  // namespace
