#include "standin/comhost/WindowSnapshot.h"

#include <cmath>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "windows/server/win32/ControlIds.h"
#include "windows/win32text/WideText.h"
#include "standin/win32user/ScreenUser.h"

namespace zelva::comhost {

using namespace server::win32::ids;
using pinhost::ControlSnapshot;
using pinhost::DialogControl;
using pinhost::DialogSnapshot;
using pinhost::NoticeSnapshot;
using pinhost::Shows;
using win32text::narrow;

namespace {

constexpr double kTwipsPerInch = 1440;

// A position on the screen in twips, as the form models keep theirs.
float twips(int pixels, int dotsPerInchCap) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, dotsPerInchCap);
    ReleaseDC(nullptr, screen);
    return static_cast<float>(std::round(pixels * kTwipsPerInch / dpi));
}

std::string textOf(HWND dialog, int id) { return narrow(win32user::textOf(GetDlgItem(dialog, id))); }

std::vector<std::string> itemsOf(HWND combo) {
    std::vector<std::string> items;
    for (const std::wstring& item : win32user::listItems(combo)) items.push_back(narrow(item));
    return items;
}

HWND controlWindow(HWND dialog, std::string_view name) {
    if (const int id = windowOf(name)) return GetDlgItem(dialog, id);
    throw std::logic_error("no window control for the dialog's " + std::string(name));
}

ControlSnapshot controlSnapshot(HWND dialog, const DialogControl& control) {
    HWND window = controlWindow(dialog, control.name);
    ControlSnapshot s;
    switch (control.shows) {
        case Shows::Label:
        case Shows::Button: s.text = narrow(win32user::textOf(window)); break;
        case Shows::CheckBox: s.value = win32user::checkState(window); break;
        case Shows::DropDownList:
            s.items = itemsOf(window);
            for (LRESULT data : win32user::listItemData(window)) s.itemData.push_back(static_cast<int32_t>(data));
            s.index = win32user::listIndex(window);
            s.enabled = win32user::isEnabled(window);
            break;
        case Shows::EditableList:
            s.items = itemsOf(window);
            s.text = narrow(win32user::textOf(window));
            break;
        case Shows::TextBox:
            s.text = narrow(win32user::textOf(window));
            s.visible = win32user::isShown(window);
            break;
        case Shows::DefaultButton:
            s.text = narrow(win32user::textOf(window));
            s.enabled = win32user::isEnabled(window);
            break;
    }
    return s;
}

// The picture of a message box: the system's icon shown in its icon control.
ui::Icon iconOf(HWND box) {
    HWND picture = nullptr;
    while ((picture = FindWindowExW(box, picture, L"Static", nullptr)))
        if (GetWindowLongW(picture, GWL_STYLE) & SS_ICON) break;
    const HICON shown = picture ? win32user::pictureOf(picture) : nullptr;
    if (!shown) return ui::Icon::None;
    if (shown == LoadIconW(nullptr, IDI_HAND)) return ui::Icon::Critical;
    if (shown == LoadIconW(nullptr, IDI_EXCLAMATION)) return ui::Icon::Exclamation;
    return ui::Icon::None;
}

}  // namespace

WindowKind kindOf(HWND dialog) {
    if (GetDlgItem(dialog, StandardGroups) && GetDlgItem(dialog, Standards)) return WindowKind::ThreadDialog;
    if (GetDlgItem(dialog, Warning) && GetDlgItem(dialog, Separator)) return WindowKind::Notice;
    return WindowKind::MessageBox;
}

pinhost::DialogSnapshot threadDialogSnapshot(HWND dialog) {
    DialogSnapshot d;
    d.caption = narrow(win32user::textOf(dialog));
    RECT frame;
    GetWindowRect(dialog, &frame);
    d.left = twips(frame.left, LOGPIXELSX);
    d.top = twips(frame.top, LOGPIXELSY);
    HWND tabs = GetDlgItem(dialog, StandardGroups);
    for (const std::wstring& caption : win32user::tabCaptions(tabs)) d.tabs.push_back(narrow(caption));
    d.tab = win32user::currentTab(tabs);
    return pinhost::withControls(std::move(d), [&](const DialogControl& c) { return controlSnapshot(dialog, c); });
}

pinhost::NoticeSnapshot noticeSnapshot(HWND notice) {
    return {narrow(win32user::textOf(notice)), textOf(notice, Warning), textOf(notice, NoticeOk)};
}

ui::Message messageBoxShown(HWND box) {
    return {narrow(win32user::messageOf(box)), narrow(win32user::textOf(box)), iconOf(box)};
}

}  // namespace zelva::comhost
