#include "Win32Ui.h"

#include <commctrl.h>

#include "NoticeWindow.h"
#include "ThreadDialogWindow.h"
#include "windows/win32text/WideText.h"

namespace zelva::server::win32 {

namespace {

// A message box without a title of its own carries the component's name, as
// the runtime titles it with the project's.
constexpr char kDefaultTitle[] = "Zelvacorin";

UINT iconStyle(ui::Icon icon) {
    switch (icon) {
        case ui::Icon::Critical: return MB_ICONERROR;
        case ui::Icon::Exclamation: return MB_ICONEXCLAMATION;
        case ui::Icon::None: break;
    }
    return 0;
}

// The tab control's window class, registered before the first form shows.
// The common controls library is loaded only then, so that creating the
// component's objects never waits for it.
void registerTabControl() {
    [[maybe_unused]] static const bool registered = [] {
        using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        const HMODULE library = LoadLibraryW(L"comctl32.dll");
        const auto init = library ? reinterpret_cast<InitCommonControlsExFunction>(
                                        reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")))
                                  : nullptr;
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
        return init && init(&classes);
    }();
}

BOOL CALLBACK addWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& w = info.rcWork;
        reinterpret_cast<std::vector<ui::ScreenRect>*>(areas)->push_back({w.left, w.top, w.right, w.bottom});
    }
    return TRUE;
}

}  // namespace

Win32Ui::Win32Ui(HINSTANCE resources) : resources_(resources) {}

void Win32Ui::showModal(ui::Form& form) {
    if (!form.loaded()) return;
    registerTabControl();
    switch (form.kind()) {
        case ui::FormKind::Dialog: ThreadDialogWindow(static_cast<ui::Dialog&>(form), *this, resources_).run(); break;
        case ui::FormKind::DlgInfo: NoticeWindow(static_cast<ui::DlgInfo&>(form), *this, resources_).run(); break;
    }
}

void Win32Ui::messageBox(const ui::Message& box) {
    // Task-modal: the open forms of the thread take no input until it is answered.
    MessageBoxW(nullptr, win32text::widen(box.prompt).c_str(), win32text::widen(box.title.value_or(kDefaultTitle)).c_str(),
                MB_OK | MB_TASKMODAL | iconStyle(box.icon));
}

std::vector<ui::ScreenRect> Win32Ui::workAreas() {
    std::vector<ui::ScreenRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, addWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace zelva::server::win32
