#include "core/ui/Controls.h"

#include "core/automation/Error.h"

namespace zelva::ui {

namespace {

// Room a list makes at its first item: lists are filled whole from the thread
// tables, and a shipped standard's lengths (up to 23) fit without growing.
constexpr size_t kFirstRoom = 32;

void fire(const std::function<void()>& handler) {
    if (handler) handler();
}
}  // namespace

void CommandButton::click() { fire(onClick); }

void CheckBox::setValue(int value) {
    if (value < 0 || value > 2) throw Error::runtime(err::InvalidPropertyValue);
    if (value_ == value) return;
    value_ = static_cast<int16_t>(value);
    fire(onClick);
}

void ComboBox::clear() {
    items_.clear();
    newIndex_ = -1;
    listIndex_ = -1;
    text_.clear();
}

void ComboBox::addItem(std::string text) {
    if (items_.capacity() == 0) items_.reserve(kFirstRoom);
    items_.push_back(ListItem{std::move(text)});
    newIndex_ = listCount() - 1;
}

void ComboBox::setItems(std::vector<ListItem> items) {
    clear();
    items_ = std::move(items);
    newIndex_ = listCount() - 1;
}

size_t ComboBox::checkedIndex(int index) const {
    if (index < 0 || index >= listCount()) throw Error::runtime(err::InvalidPropertyIndex);
    return static_cast<size_t>(index);
}

const std::string& ComboBox::item(int index) const { return items_[checkedIndex(index)].text; }
int32_t ComboBox::itemData(int index) const { return items_[checkedIndex(index)].data; }
void ComboBox::setItemData(int index, int32_t data) { items_[checkedIndex(index)].data = data; }

void ComboBox::setListIndex(int index) {
    if (index == -1) {
        listIndex_ = -1;
        if (style_ == ComboStyle::DropDownList) text_.clear();
        return;
    }
    if (index < 0 || index >= listCount()) throw Error::runtime(err::InvalidPropertyValue);
    listIndex_ = index;
    text_ = items_[static_cast<size_t>(index)].text;
    fire(onClick);
}

void ComboBox::setText(std::string text) {
    if (style_ == ComboStyle::DropDownCombo) {
        // The text ends at its first NUL, as the window's does (a preferences file may hold one).
        if (const size_t end = text.find('\0'); end != std::string::npos) text.resize(end);
        text_ = std::move(text);
        const auto& current = listIndex_ >= 0 ? items_[static_cast<size_t>(listIndex_)].text : std::string();
        if (text_ != current) listIndex_ = -1;
        return;
    }
    for (int i = 0; i < listCount(); ++i) {
        if (items_[static_cast<size_t>(i)].text == text) return setListIndex(i);
    }
    throw Error::runtime(err::PropertyReadOnly, "'Text' property is read-only");
}

TabStrip::TabStrip() : captions_{"Tab 0"} {}

void TabStrip::setTabs(int count) {
    if (count < 1 || count > 32767) throw Error::runtime(err::InvalidPropertyValue);
    captions_.resize(static_cast<size_t>(count));
    for (size_t i = 0; i < captions_.size(); ++i) {
        if (captions_[i].empty()) captions_[i] = "Tab " + std::to_string(i);
    }
    if (tab_ >= count) setTab(count - 1);
}

void TabStrip::setTabsPerRow(int count) {
    if (count < 1 || count > 32767) throw Error::runtime(err::InvalidPropertyValue);
    tabsPerRow_ = static_cast<int16_t>(count);
}

void TabStrip::setTab(int index) {
    if (index < 0 || index >= tabs()) throw Error::runtime(err::InvalidPropertyValue);
    const int16_t previous = tab_;
    if (previous == index) return;
    tab_ = static_cast<int16_t>(index);
    if (onClick) onClick(previous);
}

const std::string& TabStrip::tabCaption(int index) const {
    if (index < 0 || index >= tabs()) throw Error::runtime(err::InvalidPropertyIndex);
    return captions_[static_cast<size_t>(index)];
}

void TabStrip::setTabCaption(int index, std::string caption) {
    if (index < 0 || index >= tabs()) throw Error::runtime(err::InvalidPropertyIndex);
    captions_[static_cast<size_t>(index)] = std::move(caption);
}

}  // namespace zelva::ui
