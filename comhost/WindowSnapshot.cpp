#include "comhost/WindowSnapshot.h"

#include <cmath>

#include "win32/ControlIds.h"
#include "win32text/WideText.h"
#include "win32user/ScreenUser.h"

namespace zelva::pinhost {

using namespace win32::ids;
using app::DialogSnapshot;
using app::ListSnapshot;
using app::NoticeSnapshot;
using win32::narrow;

namespace {

constexpr double kTwipsPerInch = 1440;

// A position on the screen in twips, as the form models keep theirs.
float twips(int pixels, int dotsPerInchCap) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, dotsPerInchCap);
    ReleaseDC(nullptr, screen);
    return static_cast<float>(std::round(pixels * kTwipsPerInch / dpi));
}

std::string textOf(HWND dialog, int id) { return narrow(screen::textOf(GetDlgItem(dialog, id))); }

std::vector<std::string> itemsOf(HWND combo) {
    std::vector<std::string> items;
    for (const std::wstring& item : screen::listItems(combo)) items.push_back(narrow(item));
    return items;
}

ListSnapshot editableList(HWND combo) {
    ListSnapshot list;
    list.items = itemsOf(combo);
    list.text = narrow(screen::textOf(combo));
    return list;
}

// The picture of a message box: the system's icon shown in its icon control.
ui::Icon iconOf(HWND box) {
    HWND picture = nullptr;
    while ((picture = FindWindowExW(box, picture, L"Static", nullptr)))
        if (GetWindowLongW(picture, GWL_STYLE) & SS_ICON) break;
    const HICON shown = picture ? screen::pictureOf(picture) : nullptr;
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

app::DialogSnapshot threadDialogSnapshot(HWND dialog) {
    DialogSnapshot d;
    d.caption = narrow(screen::textOf(dialog));
    RECT frame;
    GetWindowRect(dialog, &frame);
    d.left = twips(frame.left, LOGPIXELSX);
    d.top = twips(frame.top, LOGPIXELSY);
    HWND tabs = GetDlgItem(dialog, StandardGroups);
    for (const std::wstring& caption : screen::tabCaptions(tabs)) d.tabs.push_back(narrow(caption));
    d.tab = screen::currentTab(tabs);
    HWND standards = GetDlgItem(dialog, Standards);
    d.standards.items = itemsOf(standards);
    for (LRESULT data : screen::listItemData(standards)) d.standards.itemData.push_back(static_cast<int32_t>(data));
    d.standards.index = screen::listIndex(standards);
    d.standards.enabled = screen::isEnabled(standards);
    d.lengths = editableList(GetDlgItem(dialog, Lengths));
    d.pitches = editableList(GetDlgItem(dialog, Pitches));
    d.description = textOf(dialog, Description);
    d.diameter = textOf(dialog, Diameter);
    d.standardLabel = textOf(dialog, StandardLabel);
    d.diameterLabel = textOf(dialog, DiameterLabel);
    d.lengthLabel = textOf(dialog, LengthLabel);
    d.pitchLabel = textOf(dialog, PitchLabel);
    d.chamfer = screen::checkState(GetDlgItem(dialog, Chamfer));
    d.manual = screen::checkState(GetDlgItem(dialog, ManualSwitch));
    d.manualDiameter = textOf(dialog, ManualDiameter);
    d.manualDiameterVisible = screen::isShown(GetDlgItem(dialog, ManualDiameter));
    d.okCaption = textOf(dialog, Ok);
    d.okEnabled = screen::isEnabled(GetDlgItem(dialog, Ok));
    d.cancelCaption = textOf(dialog, Cancel);
    return d;
}

app::NoticeSnapshot noticeSnapshot(HWND notice) {
    return {narrow(screen::textOf(notice)), textOf(notice, Warning), textOf(notice, NoticeOk)};
}

ui::Message messageBoxShown(HWND box) {
    return {narrow(screen::messageOf(box)), narrow(screen::textOf(box)), iconOf(box)};
}

}  // namespace zelva::pinhost
