#pragma once
// Models of the platform's standard controls, with the behaviour the dialog
// logic relies on: selecting a list item (by the user or the program) raises the
// list's Click, a check box accepts 0, 1 and 2 only, a drop-down list's text is
// not editable, list items carry 32-bit item data. Invalid values fail with the
// runtime's property errors, as the real controls do.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zelva::ui {

struct Control {
    std::string name;
    bool enabled = true;
    bool visible = true;
};

struct Label : Control {
    std::string caption;
    bool bold = false;
};

struct TextBox : Control {
    std::string text;
};

struct CommandButton : Control {
    std::string caption;
    std::function<void()> onClick;
    void click();  // raises Click
};

class CheckBox : public Control {
public:
    std::string caption;
    std::string toolTip;
    bool buttonStyle = false;
    std::function<void()> onClick;

    int16_t value() const { return value_; }
    // 0 clear, 1 ticked, 2 greyed; anything else fails with 380. A change raises Click.
    void setValue(int value);

private:
    int16_t value_ = 0;
};

enum class ComboStyle { DropDownCombo, DropDownList };

// An item of a list: its text and the number the program keeps with it.
struct ListItem {
    std::string text;
    int32_t data = 0;
};

class ComboBox : public Control {
public:
    explicit ComboBox(ComboStyle style = ComboStyle::DropDownCombo) : style_(style) {}

    std::function<void()> onClick;

    ComboStyle style() const { return style_; }
    void clear();  // empties the list and, as the platform does, the text
    void addItem(std::string text);
    // Empties the list and adds `items` in order, as clear() and addItem() and
    // setItemData() for each would.
    void setItems(std::vector<ListItem> items);
    int newIndex() const { return newIndex_; }
    int listCount() const { return static_cast<int>(items_.size()); }
    const std::string& item(int index) const;  // out of range: 381
    int32_t itemData(int index) const;         // out of range: 381
    void setItemData(int index, int32_t data);  // out of range: 381

    int listIndex() const { return listIndex_; }
    // -1 selects nothing; an item index selects it, shows its text and raises
    // Click; anything else (an empty list included) fails with 380.
    void setListIndex(int index);

    const std::string& text() const { return text_; }
    // A drop-down combo takes any text; a drop-down list only one of its items
    // (which it selects), otherwise 383.
    void setText(std::string text);

private:
    size_t checkedIndex(int index) const;  // out of range: 381

    ComboStyle style_;
    std::vector<ListItem> items_;
    int newIndex_ = -1;
    int listIndex_ = -1;
    std::string text_;
};

// A strip of tabs (the tabbed-dialog control used only for its tabs). Changing
// the current tab, by the user or the program, raises Click with the previous tab.
class TabStrip : public Control {
public:
    TabStrip();

    std::function<void(int16_t previous)> onClick;

    int16_t tabs() const { return static_cast<int16_t>(captions_.size()); }
    void setTabs(int count);  // at least 1, otherwise 380
    int16_t tabsPerRow() const { return tabsPerRow_; }
    void setTabsPerRow(int count);  // at least 1, otherwise 380
    int height = 300;  // twips

    int16_t tab() const { return tab_; }
    void setTab(int index);  // an existing tab, otherwise 380
    const std::string& tabCaption(int index) const;  // out of range: 381
    void setTabCaption(int index, std::string caption);

private:
    std::vector<std::string> captions_;
    int16_t tabsPerRow_ = 1;
    int16_t tab_ = 0;
};

}  // namespace zelva::ui
