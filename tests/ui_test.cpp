// The control models: the platform's behaviour the dialog logic relies on, and
// the runtime's property errors where a real control refuses a value.

#include <gtest/gtest.h>

#include "core/automation/Error.h"
#include "support/ErrorNumber.h"
#include "core/ui/Controls.h"
#include "core/ui/ScreenPlacement.h"

using namespace zelva;
using test::errorNumber;

namespace {

// A list of three items that counts its Click events.
struct CountedList {
    explicit CountedList(ui::ComboStyle style) : list(style) {
        for (const char* item : {"M6", "M8", "M10"}) list.addItem(item);
        list.onClick = [this] { ++clicks; };
    }
    ui::ComboBox list;
    int clicks = 0;
};

}  // namespace

TEST(ComboBox, DropDownListTakesOnlyTheTextOfOneOfItsItems) {
    CountedList c(ui::ComboStyle::DropDownList);
    c.list.setText("M8");
    EXPECT_EQ(c.list.listIndex(), 1);
    EXPECT_EQ(c.clicks, 1);
    EXPECT_EQ(errorNumber([&] { c.list.setText("M12"); }), err::PropertyReadOnly);
    EXPECT_EQ(errorNumber([&] { c.list.setText("m8"); }), err::PropertyReadOnly);
    EXPECT_EQ(c.list.text(), "M8");  // a refused text changes nothing
    EXPECT_EQ(c.list.listIndex(), 1);
    EXPECT_EQ(c.clicks, 1);
    c.list.setListIndex(-1);
    EXPECT_EQ(c.list.text(), "");
}

TEST(ComboBox, DropDownComboTakesAnyTextAndLeavesItsSelectionWhenTheTextDiffers) {
    CountedList c(ui::ComboStyle::DropDownCombo);
    c.list.setListIndex(2);
    EXPECT_EQ(c.list.text(), "M10");
    c.list.setText("M10");
    EXPECT_EQ(c.list.listIndex(), 2);
    c.list.setText("12.5");
    EXPECT_EQ(c.list.text(), "12.5");
    EXPECT_EQ(c.list.listIndex(), -1);
    EXPECT_EQ(c.clicks, 1);  // typing raises no Click
    c.list.setListIndex(-1);
    EXPECT_EQ(c.list.text(), "12.5");
}

TEST(ComboBox, DropDownComboTextEndsAtItsFirstNulAsTheWindowsDoes) {
    CountedList c(ui::ComboStyle::DropDownCombo);
    c.list.setText(std::string("1.5\0 mm", 7));
    EXPECT_EQ(c.list.text(), "1.5");
}

TEST(ComboBox, IndexesOutsideTheListFailWithThePlatformsErrors) {
    CountedList c(ui::ComboStyle::DropDownList);
    EXPECT_EQ(errorNumber([&] { c.list.setListIndex(3); }), err::InvalidPropertyValue);
    EXPECT_EQ(errorNumber([&] { c.list.setListIndex(-2); }), err::InvalidPropertyValue);
    EXPECT_EQ(errorNumber([&] { c.list.item(3); }), err::InvalidPropertyIndex);
    EXPECT_EQ(errorNumber([&] { c.list.setItemData(-1, 7); }), err::InvalidPropertyIndex);
    c.list.setItemData(2, 70000);
    EXPECT_EQ(c.list.itemData(2), 70000);
    EXPECT_EQ(c.list.newIndex(), 2);
    c.list.clear();
    EXPECT_EQ(c.list.listCount(), 0);
    EXPECT_EQ(c.list.newIndex(), -1);
    EXPECT_EQ(errorNumber([&] { c.list.setListIndex(0); }), err::InvalidPropertyValue);
    EXPECT_EQ(c.clicks, 0);
}

TEST(CheckBox, TakesZeroOneAndTwoAndClicksOnlyOnAChange) {
    ui::CheckBox box;
    int clicks = 0;
    box.onClick = [&] { ++clicks; };
    box.setValue(2);
    box.setValue(2);
    EXPECT_EQ(box.value(), 2);
    EXPECT_EQ(clicks, 1);
    for (int refused : {-1, 3, 32768}) EXPECT_EQ(errorNumber([&] { box.setValue(refused); }), err::InvalidPropertyValue);
    EXPECT_EQ(box.value(), 2);
    EXPECT_EQ(clicks, 1);
}

TEST(TabStrip, ChangingTheTabClicksWithThePreviousOneAndShrinkingMovesIt) {
    ui::TabStrip tabs;
    std::vector<int16_t> previous;
    tabs.onClick = [&](int16_t p) { previous.push_back(p); };
    EXPECT_EQ(tabs.tabs(), 1);
    tabs.setTabs(3);
    EXPECT_EQ(tabs.tabCaption(2), "Tab 2");
    tabs.setTab(2);
    tabs.setTab(2);
    tabs.setTabs(2);
    EXPECT_EQ(tabs.tab(), 1);
    EXPECT_EQ(previous, (std::vector<int16_t>{0, 2}));
    EXPECT_EQ(errorNumber([&] { tabs.setTab(2); }), err::InvalidPropertyValue);
    EXPECT_EQ(errorNumber([&] { tabs.setTabs(0); }), err::InvalidPropertyValue);
    EXPECT_EQ(errorNumber([&] { tabs.setTabsPerRow(0); }), err::InvalidPropertyValue);
    EXPECT_EQ(errorNumber([&] { tabs.setTabCaption(2, "x"); }), err::InvalidPropertyIndex);
}

// A 300 × 200 window with a 20 pixel title bar, on an 800 × 600 screen whose
// work area ends above a 40 pixel task bar, and on a second screen to its right.
TEST(ScreenPlacement, APlaceOutOfReachComesIntoTheNearestWorkArea) {
    const ui::ScreenRect screens[] = {{0, 0, 800, 560}, {800, 0, 1824, 768}};
    struct Case {
        const char* where;
        int x, y;
        int shownX, shownY;
    };
    const Case cases[] = {
        {"inside", 100, 100, 100, 100},
        {"on the second screen", 1000, 500, 1000, 500},
        {"across both screens", 700, 100, 700, 100},
        {"over the left edge, title bar in reach", -200, 100, -200, 100},
        {"over the right edge by all but a grip", 1824 - 60, 100, 1824 - 60, 100},
        {"over the right edge by more than a grip", 1824 - 59, 100, 1824 - 300, 100},
        {"just off the top", 100, -5, 100, 0},
        {"title bar on the task bar", 100, 545, 100, 560 - 200},
        {"below the first screen", 100, 1000, 100, 560 - 200},
        {"far right", 30000, -30000, 1824 - 300, 0},
        {"far left, below", -30000, 30000, 0, 560 - 200},
    };
    for (const Case& c : cases) {
        const ui::ScreenPoint shown = ui::placeInView({c.x, c.y, c.x + 300, c.y + 200}, 20, screens);
        EXPECT_EQ(shown.x, c.shownX) << c.where;
        EXPECT_EQ(shown.y, c.shownY) << c.where;
    }
    const ui::ScreenPoint unplaced = ui::placeInView({-900, -900, -600, -700}, 20, {});
    EXPECT_EQ(unplaced.x, -900) << "without a screen the place stays";
    EXPECT_EQ(unplaced.y, -900);
}

TEST(ScreenPlacement, TwipsAndPixelsConvertAtTheScreensResolutionWithinSixteenBits) {
    EXPECT_EQ(ui::pixelsFromTwips(1500, 96), 100);
    EXPECT_EQ(ui::pixelsFromTwips(3000.4, 96), 200);
    EXPECT_EQ(ui::pixelsFromTwips(-75, 96), -5);
    EXPECT_EQ(ui::pixelsFromTwips(1440, 120), 120);
    EXPECT_EQ(ui::pixelsFromTwips(1e30, 96), 32767);
    EXPECT_EQ(ui::pixelsFromTwips(-1e30, 96), -32768);
    EXPECT_EQ(ui::twipsFromPixels(-5, 96), -75.0f);
    EXPECT_EQ(ui::twipsFromPixels(7, 120), 84.0f);
}
