#include "ControlMirror.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "ScreenUnits.h"
#include "windows/win32text/WideText.h"

namespace zelva::server::win32 {

namespace {

// A tab strip keeps two pixels at each side: at the left and right for its
// border, above its tabs for the current tab to stand out, below them for the
// edge of its page.
constexpr int kStripBorders = 4;

std::wstring windowTextWide(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring comboItem(HWND combo, int index) {
    const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

bool showsItemsOf(HWND combo, const ui::ComboBox& model) {
    if (SendMessageW(combo, CB_GETCOUNT, 0, 0) != model.listCount()) return false;
    for (int i = 0; i < model.listCount(); ++i) {
        if (comboItem(combo, i) != win32text::widen(model.item(i))) return false;
    }
    return true;
}

std::wstring tabCaption(HWND tabs, int index) {
    wchar_t text[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

// A tab shows an '&' of its caption as the letter itself, not as the mark of an access key.
std::wstring literally(const std::wstring& caption) {
    std::wstring shown;
    for (wchar_t c : caption) {
        if (c == L'&') shown += L'&';
        shown += c;
    }
    return shown;
}

void setTabCaption(HWND tabs, int index, std::wstring caption, bool insert) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tabs, insert ? TCM_INSERTITEMW : TCM_SETITEMW, index, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

std::string windowText(HWND window) { return win32text::narrow(windowTextWide(window)); }

void showText(HWND window, const std::string& text) {
    const std::wstring wide = win32text::widen(text);
    if (windowTextWide(window) != wide) SetWindowTextW(window, wide.c_str());
}

void showState(HWND window, const ui::Control& model) {
    EnableWindow(window, model.enabled);
    const bool visible = (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible != model.visible) ShowWindow(window, model.visible ? SW_SHOWNA : SW_HIDE);
}

void showLabel(HWND window, const ui::Label& model, const LabelFonts& fonts) {
    showState(window, model);
    showText(window, model.caption);
    HFONT font = model.bold ? fonts.bold : fonts.normal;
    if (reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)) != font)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void showTextBox(HWND window, const ui::TextBox& model) {
    showState(window, model);
    showText(window, model.text);
}

void showButton(HWND window, const ui::CommandButton& model) {
    showState(window, model);
    showText(window, model.caption);
}

void showCheckBox(HWND window, const ui::CheckBox& model) {
    showState(window, model);
    showText(window, model.caption);
    if (SendMessageW(window, BM_GETCHECK, 0, 0) != model.value()) SendMessageW(window, BM_SETCHECK, model.value(), 0);
}

void showComboBox(HWND window, const ui::ComboBox& model) {
    showState(window, model);
    if (!showsItemsOf(window, model)) {
        SendMessageW(window, CB_RESETCONTENT, 0, 0);
        for (int i = 0; i < model.listCount(); ++i)
            SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32text::widen(model.item(i)).c_str()));
    }
    for (int i = 0; i < model.listCount(); ++i) SendMessageW(window, CB_SETITEMDATA, i, model.itemData(i));
    // Text typed into an editable list selects nothing in the model; the window
    // keeps its own idea of the nearest item then, as clearing it would clear the
    // text. Nor is an item selected under text the user is typing ("2" of "25"):
    // selecting it would put the caret back before what was typed.
    const bool editable = model.style() == ui::ComboStyle::DropDownCombo;
    const int selected = model.listIndex();
    const bool typing = editable && windowTextWide(window) == win32text::widen(model.text());
    if ((!editable || selected >= 0) && !typing && SendMessageW(window, CB_GETCURSEL, 0, 0) != selected)
        SendMessageW(window, CB_SETCURSEL, selected, 0);
    if (editable) showText(window, model.text());
}

void showTabStrip(HWND window, const ui::TabStrip& model) {
    showState(window, model);
    const int count = model.tabs();
    while (SendMessageW(window, TCM_GETITEMCOUNT, 0, 0) > count) SendMessageW(window, TCM_DELETEITEM, count, 0);
    for (int i = 0; i < count; ++i) {
        const std::wstring caption = literally(win32text::widen(model.tabCaption(i)));
        const bool missing = i >= SendMessageW(window, TCM_GETITEMCOUNT, 0, 0);
        if (missing || tabCaption(window, i) != caption) setTabCaption(window, i, caption, missing);
    }
    if (SendMessageW(window, TCM_GETCURSEL, 0, 0) != model.tab()) SendMessageW(window, TCM_SETCURSEL, model.tab(), 0);

    // Tabs of the model's height, and of equal widths that put the model's
    // number of tabs in a row; the strip grows with its rows.
    RECT strip;
    GetClientRect(window, &strip);
    const int tabsPerRow = std::max<int>(model.tabsPerRow(), 1);
    const int tabHeight = pixelsFromTwips(model.height, Axis::Vertical);
    const int tabWidth = (strip.right - kStripBorders) / tabsPerRow;
    SendMessageW(window, TCM_SETITEMSIZE, 0, MAKELPARAM(tabWidth, tabHeight));
    const int rows = (count + tabsPerRow - 1) / tabsPerRow;
    const int stripHeight = rows * tabHeight + kStripBorders;
    if (strip.bottom != stripHeight)
        SetWindowPos(window, nullptr, 0, 0, strip.right, stripHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void pressButton(ui::CommandButton& model) {
    if (model.enabled && model.visible) model.click();
}

void clickCheckBox(ui::CheckBox& model) { model.setValue(model.value() == 1 ? 0 : 1); }

void pickListItem(HWND window, ui::ComboBox& model) {
    model.setListIndex(static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0)));
}

void pickTab(HWND window, ui::TabStrip& model) {
    model.setTab(static_cast<int>(SendMessageW(window, TCM_GETCURSEL, 0, 0)));
}

}  // namespace zelva::server::win32
