// Where the thread parameter dialog opens under Wine: at the place the
// preferences remember while a person can take its title bar there, and in
// view otherwise; the preferences written afterwards name where it really was.

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "Win32UiFixture.h"
#include "support/DialogFixture.h"
#include "windows/server/win32/ControlIds.h"
#include "standin/win32user/ScreenUser.h"

using namespace zelva;
using namespace zelva::win32user;
using test::kFormTitle;

namespace {

constexpr int kTwipsPerPixel = 15;  // the prefix's 96 dots per inch

class WindowPlace : public test::Win32UiTest {
protected:
    WindowPlace() { SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0); }

    // The preferences of a last pin made with the dialog at (left, top) in twips.
    void remember(const std::string& left, const std::string& top) {
        std::ofstream(prefsFile(), std::ios::binary) << top << "\r\n" << left << "\r\n 0 \r\n20\r\n1.5\r\n 0 \r\n";
    }

    // The dialog's frame as it opens; OK then writes the preferences again.
    RECT opened() {
        RECT frame{};
        drop(edge(), [&] {
            const HWND d = waitForDialog(kFormTitle);
            GetWindowRect(d, &frame);
            postClick(GetDlgItem(d, IDOK));
            waitUntilClosed(d);
        });
        return frame;
    }

    // The first two lines of the preferences: top and left.
    std::pair<std::string, std::string> rememberedPlace() const {
        std::ifstream in(prefsFile(), std::ios::binary);
        std::string top, left;
        std::getline(in, top);
        std::getline(in, left);
        return {top, left};
    }

    RECT work{};
};

std::string written(int pixels) { return " " + std::to_string(pixels * kTwipsPerPixel) + " \r"; }

TEST_F(WindowPlace, PlaceOnTheScreenIsKeptExactly) {
    remember(" 3000.4 ", " 1500 ");
    const RECT frame = opened();
    EXPECT_EQ(frame.left, 200);
    EXPECT_EQ(frame.top, 100);
    // As before: the remembered value, not the pixel it was shown at.
    EXPECT_EQ(rememberedPlace(), std::make_pair(std::string(" 1500 \r"), std::string(" 3000.4 \r")));
}

TEST_F(WindowPlace, PlacePartlyOffWithItsTitleBarInReachIsKept) {
    // Over the right edge all but 100 pixels, and over the left edge by 100.
    for (const int left : {static_cast<int>(work.right) - 100, -100}) {
        remember(" " + std::to_string(left * kTwipsPerPixel) + " ", " 1500 ");
        const RECT frame = opened();
        EXPECT_EQ(frame.left, left);
        EXPECT_EQ(frame.top, 100);
    }
}

TEST_F(WindowPlace, PlaceOffAnEdgeComesIntoViewAndIsRememberedAsShown) {
    struct Case {
        const char* edge;
        std::string left, top;
        std::function<bool(const RECT&, const RECT&)> shownAt;  // frame, work area
    };
    const Case cases[] = {
        {"right", " 200000 ", " 1500 ", [](const RECT& f, const RECT& w) { return f.right == w.right && f.top == 100; }},
        {"left", "-200000 ", " 1500 ", [](const RECT& f, const RECT& w) { return f.left == w.left && f.top == 100; }},
        {"bottom", " 3000 ", " 200000 ", [](const RECT& f, const RECT& w) { return f.bottom == w.bottom && f.left == 200; }},
        {"top", " 3000 ", "-200000 ", [](const RECT& f, const RECT& w) { return f.top == w.top && f.left == 200; }},
        // The title bar a few pixels above the screen: the window is visible, its title bar not whole.
        {"top, partly", " 3000 ", "-75 ", [](const RECT& f, const RECT& w) { return f.top == w.top && f.left == 200; }},
        {"far beyond", " 1E+30 ", "-1E+30 ", [](const RECT& f, const RECT& w) { return f.right == w.right && f.top == w.top; }},
    };
    for (const Case& c : cases) {
        remember(c.left, c.top);
        const RECT frame = opened();
        EXPECT_TRUE(c.shownAt(frame, work)) << c.edge << ": " << frame.left << "," << frame.top << " " << frame.right
                                            << "," << frame.bottom;
        EXPECT_EQ(rememberedPlace(), std::make_pair(written(frame.top), written(frame.left))) << c.edge;
    }
    EXPECT_EQ(plate->shapes().size(), std::size(cases));
}

}  // namespace
