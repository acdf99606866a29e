#include "standin/win32user/ScreenUser.h"

#include <commctrl.h>

#include <stdexcept>

#include "windows/win32text/WideText.h"

namespace zelva::win32user {

namespace {

constexpr UINT kAnswerWithin = 5000;  // milliseconds for a window to handle a message

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Sends a message to a window of the user interface thread, which must answer in time.
LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kAnswerWithin, &result))
        throw std::runtime_error("window " + win32text::narrow(className(window)) + " did not answer message " +
                                 std::to_string(message));
    return static_cast<LRESULT>(result);
}

// Passes a user's act to a window and returns when it has been handled, or
// when it opened a modal window (a message box) that waits for the user.
// Sent messages are handled in the order sent, also inside a modal loop, so
// the empty message that follows the act is answered only then. A window the
// act destroyed answers nothing, which is as good.
void act(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    if (!SendNotifyMessageW(window, message, wParam, lParam))
        throw std::runtime_error("window " + win32text::narrow(className(window)) + " took no message " +
                                 std::to_string(message));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerWithin, &ignored);
}

struct ThreadWindows {
    const wchar_t* className;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM search) {
    auto& windows = *reinterpret_cast<ThreadWindows*>(search);
    if (className(window) == windows.className && (!windows.visibleOnly || IsWindowVisible(window)))
        windows.found.push_back(window);
    return TRUE;
}

std::vector<HWND> threadWindows(DWORD thread, const wchar_t* cls, bool visibleOnly) {
    ThreadWindows windows{cls, visibleOnly, {}};
    EnumThreadWindows(thread, collectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows.found;
}

BOOL CALLBACK findMessageText(HWND child, LPARAM text) {
    if (className(child) != L"Static") return TRUE;
    *reinterpret_cast<std::wstring*>(text) = textOf(child);
    return reinterpret_cast<std::wstring*>(text)->empty();
}

std::wstring asShown(const std::wstring& caption) {
    std::wstring shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && ++i == caption.size()) break;
        shown += caption[i];
    }
    return shown;
}

}  // namespace

HWND waitForDialog(const std::wstring& title, std::chrono::milliseconds timeout) {
    HWND dialog = nullptr;
    const bool appeared = waitFor(timeout, [&] {
        dialog = FindWindowW(L"#32770", title.c_str());
        return dialog && IsWindowVisible(dialog);
    });
    if (!appeared) throw std::runtime_error("no dialog titled \"" + win32text::narrow(title) + "\" appeared");
    return dialog;
}

std::vector<HWND> openDialogs(DWORD thread) { return threadWindows(thread, L"#32770", true); }

bool waitUntilClosed(HWND window, std::chrono::milliseconds timeout) {
    return waitFor(timeout, [&] { return !IsWindow(window); });
}

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<size_t>(send(window, WM_GETTEXTLENGTH)) + 1, L'\0');
    text.resize(static_cast<size_t>(send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::wstring messageOf(HWND box) {
    std::wstring text;
    EnumChildWindows(box, findMessageText, reinterpret_cast<LPARAM>(&text));
    return text;
}

std::vector<std::wstring> listItems(HWND combo) {
    std::vector<std::wstring> items;
    const auto count = send(combo, CB_GETCOUNT);
    for (int i = 0; i < count; ++i) {
        std::wstring item(static_cast<size_t>(send(combo, CB_GETLBTEXTLEN, i)) + 1, L'\0');
        item.resize(static_cast<size_t>(send(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        items.push_back(item);
    }
    return items;
}

int listIndex(HWND combo) { return static_cast<int>(send(combo, CB_GETCURSEL)); }

std::vector<LRESULT> listItemData(HWND combo) {
    std::vector<LRESULT> data;
    const auto count = send(combo, CB_GETCOUNT);
    for (int i = 0; i < count; ++i) data.push_back(send(combo, CB_GETITEMDATA, i));
    return data;
}

std::vector<std::wstring> tabCaptions(HWND tabs) {
    std::vector<std::wstring> captions;
    const auto count = send(tabs, TCM_GETITEMCOUNT);
    for (int i = 0; i < count; ++i) {
        wchar_t caption[256] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        item.cchTextMax = 256;
        send(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        captions.push_back(asShown(caption));
    }
    return captions;
}

int currentTab(HWND tabs) { return static_cast<int>(send(tabs, TCM_GETCURSEL)); }

int checkState(HWND box) { return static_cast<int>(send(box, BM_GETCHECK)); }

bool isShown(HWND window) { return IsWindowVisible(window) != FALSE; }

bool isEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

HICON pictureOf(HWND control) {
    const bool button = className(control) == L"Button";
    return reinterpret_cast<HICON>(button ? send(control, BM_GETIMAGE, IMAGE_ICON) : send(control, STM_GETICON));
}

std::wstring toolTipOf(HWND control) {
    for (HWND tip : threadWindows(GetWindowThreadProcessId(control, nullptr), TOOLTIPS_CLASSW, false)) {
        wchar_t text[256] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V1_SIZE;
        tool.hwnd = GetParent(control);
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = text;
        send(tip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
        if (text[0]) return text;
    }
    return {};
}

void clickTab(HWND tabs, int index) {
    RECT tab;
    if (!send(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&tab)))
        throw std::runtime_error("the strip has no tab " + std::to_string(index));
    const LPARAM middle = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    act(tabs, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    act(tabs, WM_LBUTTONUP, 0, middle);
}

void pickItem(HWND combo, int index) {
    if (send(combo, CB_SETCURSEL, index) != index)
        throw std::runtime_error("the list has no item " + std::to_string(index));
    act(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
        reinterpret_cast<LPARAM>(combo));
}

void type(HWND field, const std::wstring& text) {
    HWND edit = className(field) == L"ComboBox" ? FindWindowExW(field, nullptr, L"Edit", nullptr) : field;
    if (!edit) throw std::runtime_error("the list takes no typing");
    send(edit, EM_SETSEL, 0, -1);
    if (text.empty()) act(edit, WM_CHAR, VK_BACK, 1);
    for (wchar_t c : text) act(edit, WM_CHAR, c, 1);
}

void click(HWND button) { act(button, BM_CLICK); }

void postClick(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void closeFromTitleBar(HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

void moveTo(HWND window, int x, int y) {
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace zelva::win32user
