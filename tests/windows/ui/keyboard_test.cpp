// The forms from the keyboard alone, under Wine: keys go through SendInput as
// a person's keyboard sends them, and the dialog manager, the controls and the
// forms do the rest. The tab order is recorded here, so that a change of the
// layout cannot scramble it unnoticed.

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "Keyboard.h"
#include "Win32UiFixture.h"
#include "core/texts/MessageTexts.h"
#include "support/DialogFixture.h"
#include "windows/server/win32/ControlIds.h"
#include "windows/win32text/WideText.h"
#include "standin/win32user/ScreenUser.h"

using namespace zelva;
using namespace zelva::win32user;
using namespace zelva::server::win32::ids;
using test::eventually;
using test::kFormTitle;

namespace {

using Keyboard = test::Win32UiTest;

int focusedId(HWND dialog) { return GetDlgCtrlID(focusIn(dialog)); }

// Presses `key` and returns the control the focus went to.
int focusAfter(HWND dialog, WORD key, bool shift = false) {
    const HWND before = focusIn(dialog);
    press(key, shift);
    if (!eventually([&] { return focusIn(dialog) != before; })) throw std::runtime_error("the focus stayed");
    return focusedId(dialog);
}

void tabTo(HWND dialog, int id) {
    for (int presses = 0; focusedId(dialog) != id; ++presses) {
        if (presses == 12) throw std::runtime_error("Tab never reached control " + std::to_string(id));
        focusAfter(dialog, VK_TAB);
    }
}

// The dialog as the user sees it first, with the keys going to it.
HWND activeDialog() {
    const HWND d = waitForDialog(kFormTitle);
    activate(d);
    return d;
}

TEST_F(Keyboard, TabVisitsTheControlsInTheirVisualOrderAndWraps) {
    std::vector<int> forward;
    int back = 0;
    drop(edge(), [&] {
        const HWND d = activeDialog();
        forward.push_back(focusedId(d));
        for (int i = 0; i < 8; ++i) forward.push_back(focusAfter(d, VK_TAB));
        back = focusAfter(d, VK_TAB, true);
        closeFromTitleBar(d);
    });
    // Top to bottom, left to right; the chamfer switch stands beside both
    // length and pitch and follows them. The diameter field joins after Man.
    // while it is shown (below).
    EXPECT_EQ(forward, (std::vector<int>{StandardGroups, Standards, ManualSwitch, Lengths, Pitches, Chamfer, Ok,
                                         Cancel, StandardGroups}));
    EXPECT_EQ(back, Cancel);
}

TEST_F(Keyboard, SpaceTicksBothSwitchesAndEnterPressesOk) {
    int afterSwitch = 0;
    bool ticked = false, chamfered = false, gone = false;
    drop(edge(), [&] {
        const HWND d = activeDialog();
        tabTo(d, ManualSwitch);
        press(VK_SPACE);
        ticked = eventually([&] { return checkState(GetDlgItem(d, ManualSwitch)) == BST_CHECKED; });
        afterSwitch = focusAfter(d, VK_TAB);
        typeKeys(L"12.5");
        tabTo(d, Chamfer);
        press(VK_SPACE);
        chamfered = eventually([&] { return checkState(GetDlgItem(d, Chamfer)) == BST_CHECKED; });
        press(VK_RETURN);
        gone = waitUntilClosed(d);
    });
    EXPECT_TRUE(ticked);
    EXPECT_EQ(afterSwitch, ManualDiameter);
    EXPECT_TRUE(chamfered);
    EXPECT_TRUE(gone);
    ASSERT_EQ(plate->shapes().size(), 1u);
    const test::PinValues pin = test::pinValues(*plate->shapes()[0]);
    EXPECT_EQ(pin.diameter, 12.5);
    EXPECT_EQ(pin.chamfer, 1);
}

TEST_F(Keyboard, ArrowsMoveThroughTabsAndListsAndEscapeCancels) {
    int tabAfterRight = -1, standard = -1, length = -1;
    std::wstring lengthText;
    bool gone = false;
    drop(edge(), [&] {
        const HWND d = activeDialog();
        const HWND tabs = GetDlgItem(d, StandardGroups), lengths = GetDlgItem(d, Lengths);
        tabTo(d, StandardGroups);
        press(VK_RIGHT);
        eventually([&] { return currentTab(tabs) == 1; });
        tabAfterRight = currentTab(tabs);
        press(VK_LEFT);
        eventually([&] { return currentTab(tabs) == 0; });
        tabTo(d, Standards);
        press(VK_DOWN);
        eventually([&] { return listIndex(GetDlgItem(d, Standards)) == 1; });
        standard = listIndex(GetDlgItem(d, Standards));
        tabTo(d, Lengths);
        const int lengthBefore = listIndex(lengths);
        press(VK_DOWN);
        eventually([&] { return listIndex(lengths) != lengthBefore; });
        length = listIndex(lengths);
        lengthText = textOf(lengths);
        press(VK_ESCAPE);
        gone = waitUntilClosed(d);
    });
    EXPECT_EQ(tabAfterRight, 1);
    EXPECT_EQ(closed().TabNorme.tab(), 0);
    EXPECT_EQ(standard, 1);
    EXPECT_EQ(closed().Normativa.listIndex(), 1);
    EXPECT_GE(length, 0);
    EXPECT_EQ(closed().Lunghezza.listIndex(), length);
    EXPECT_EQ(win32text::widen(closed().Lunghezza.text()), lengthText);
    EXPECT_TRUE(gone);
    EXPECT_TRUE(plate->shapes().empty());
}

TEST_F(Keyboard, RefusedLengthKeepsTheFocusForTheCorrection) {
    std::wstring refusal;
    int focusAfterRefusal = 0;
    bool wholeSelected = false;
    drop(edge(), [&] {
        const HWND d = activeDialog();
        tabTo(d, Lengths);
        typeKeys(L"1,5");
        press(VK_RETURN);
        const HWND box = test::messageBoxOver(d);
        refusal = messageOf(box);
        activate(box);
        press(VK_RETURN);
        waitUntilClosed(box);
        eventually([&] { return focusedId(d) == Lengths; });
        focusAfterRefusal = focusedId(d);
        // The text is selected whole, so the correction replaces it.
        wholeSelected = eventually([&] {
            DWORD start = 1, end = 0;
            SendMessageW(GetDlgItem(d, Lengths), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                         reinterpret_cast<LPARAM>(&end));
            return start == 0 && end == textOf(GetDlgItem(d, Lengths)).size();
        });
        typeKeys(L"15");
        press(VK_RETURN);
        waitUntilClosed(d);
    });
    EXPECT_EQ(refusal, win32text::widen(texts::MessageText(2000 + texts::id::RefusedLength, "1,5")));
    EXPECT_EQ(focusAfterRefusal, Lengths);
    EXPECT_TRUE(wholeSelected);
    ASSERT_EQ(plate->shapes().size(), 1u);
    EXPECT_EQ(test::pinValues(*plate->shapes()[0]).length, 15);
}

TEST_F(Keyboard, NoticeClosesWithEnterOrEscape) {
    for (const WORD key : {WORD{VK_RETURN}, WORD{VK_ESCAPE}}) {
        bool gone = false;
        drop(face(), [&] {
            const HWND notice = activeDialog();
            press(key);
            gone = waitUntilClosed(notice);
        });
        EXPECT_TRUE(gone) << key;
    }
}

}  // namespace
