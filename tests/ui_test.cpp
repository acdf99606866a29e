// The control models: the platform's behaviour the dialog logic relies on, and
// the runtime's property errors where a real control refuses a value.

#include <gtest/gtest.h>

#include "core/automation/Error.h"
#include "support/ErrorNumber.h"
#include "core/ui/Controls.h"

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
