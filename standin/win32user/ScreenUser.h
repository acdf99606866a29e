#pragma once
// The user at the screen, on a thread of its own: finds the component's windows
// as they appear and works them with window messages, the way the system
// passes a user's acts to them. Each act returns once it has been handled or
// once it opened a message box, which the user answers next. Failures to
// find or reach a window throw std::runtime_error, naming what was looked for.
// Used by the dialog tests and by pinhost.exe's scripted user.

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace zelva::win32user {

using namespace std::chrono_literals;

// Looks every 20 ms whether `found()` holds, until it does (true) or `timeout` passes (false).
template <class Found>
bool waitFor(std::chrono::milliseconds timeout, Found found) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!found()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// A visible dialog box (class "#32770", which message boxes share) with this title.
HWND waitForDialog(const std::wstring& title, std::chrono::milliseconds timeout = 5s);
// The visible dialog boxes and message boxes that `thread` has open.
std::vector<HWND> openDialogs(DWORD thread);
bool waitUntilClosed(HWND window, std::chrono::milliseconds timeout = 5s);

std::wstring textOf(HWND window);
// The text of a message box.
std::wstring messageOf(HWND box);
std::vector<std::wstring> listItems(HWND combo);
int listIndex(HWND combo);
std::vector<LRESULT> listItemData(HWND combo);
// The captions as they read on the tabs: "&&" shows as "&", a single '&' only
// underlines the letter after it.
std::vector<std::wstring> tabCaptions(HWND tabs);
int currentTab(HWND tabs);
int checkState(HWND box);
bool isShown(HWND window);
bool isEnabled(HWND window);
// The icon a button or a picture shows.
HICON pictureOf(HWND control);
// The tip shown when the pointer rests on the control.
std::wstring toolTipOf(HWND control);

// Clicks on a tab of the strip.
void clickTab(HWND tabs, int index);
// Picks an item of a list, as the user does from its drop-down.
void pickItem(HWND combo, int index);
// Replaces the text of an edit box or of an editable list by typing.
void type(HWND field, const std::wstring& text);
// Clicks a button.
void click(HWND button);
// Clicks a button without waiting: for clicks that close the dialog or open
// another window, which the user then has to deal with.
void postClick(HWND button);
// The close box of the title bar. Queued, like a click.
void closeFromTitleBar(HWND dialog);
// Drags the window so that its top left corner lands at (x, y) on the screen.
void moveTo(HWND window, int x, int y);

}  // namespace zelva::win32user
