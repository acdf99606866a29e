// Times the thread parameter dialog's opening under Wine, from the moment the
// host calls OnDragDrop on the registered Zelvacorin.dll through COM to the
// moment the dialog is activated on the screen (the user then cancels), and,
// in a process of its own, the floor of that time: a bare dialog of the same
// template, with no contents and no component, from DialogBoxIndirectParamW
// to its activation.
//
//   dialog_opening component INSTALL_COPY RUNS
//   dialog_opening bare RUNS
//
// Prints one line per run: "run N: M microseconds". The first run loads the
// DLL (or the common controls); the others are warm.

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "standin/pinhost/Component.h"
#include "bench/com/Unwatched.h"
#include "windows/server/win32/ThreadDialogWindow.h"

namespace {

using namespace zelva;
using Clock = std::chrono::steady_clock;

constexpr double kRimRadius = 5;

Clock::time_point shownAt;

// Notes when a dialog box of this thread is first activated, which it is as it is shown.
LRESULT CALLBACK noteActivation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        wchar_t name[16] = {};
        const HWND window = reinterpret_cast<HWND>(wParam);
        GetClassNameW(window, name, 16);
        if (std::wstring(name) == L"#32770" && shownAt == Clock::time_point()) shownAt = Clock::now();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

template <class Open>
void timeRuns(int runs, Open open) {
    const HHOOK hook = SetWindowsHookExW(WH_CBT, noteActivation, nullptr, GetCurrentThreadId());
    for (int run = 1; run <= runs; ++run) {
        shownAt = {};
        const auto start = Clock::now();
        open();
        if (shownAt == Clock::time_point()) throw std::runtime_error("no dialog was shown");
        const std::chrono::duration<double, std::micro> taken = shownAt - start;
        std::printf("run %d: %.0f microseconds\n", run, taken.count());
    }
    UnhookWindowsHookEx(hook);
}

void componentRuns(const char* install, int runs) {
    const auto loaded = pinhost::loadComponent(install);
    sim::SimHost& host = loaded->host();
    const auto rim = host.addCircularEdge(host.addPart("plate"), {0, 0, 0}, {0, 0, 1}, kRimRadius);
    bench::Unwatched seen;
    timeRuns(runs, [&] {
        loaded->component().drop(host.makeDropHook(rim), {{ui::UserAction::Kind::Cancel, 0, {}}}, seen);
    });
}

// The bare dialog closes itself as soon as it is active.
INT_PTR CALLBACK closeWhenActive(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) EndDialog(window, IDCANCEL);
    return message == WM_INITDIALOG;
}

void bareRuns(int runs) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
    timeRuns(runs, [&] {
        InitCommonControlsEx(&classes);
        const server::win32::DialogTemplate bare = server::win32::ThreadDialogWindow::layoutTemplate();
        if (DialogBoxIndirectParamW(GetModuleHandleW(nullptr), bare.get(), nullptr, closeWhenActive, 0) == -1)
            throw std::runtime_error("the bare dialog cannot be shown");
    });
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (!((mode == "component" && argc == 4) || (mode == "bare" && argc == 3))) {
        std::fprintf(stderr, "usage: dialog_opening component INSTALL_COPY RUNS | dialog_opening bare RUNS\n");
        return 2;
    }
    try {
        if (mode == "component") componentRuns(argv[2], std::stoi(argv[3]));
        else bareRuns(std::stoi(argv[2]));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dialog_opening: %s\n", e.what());
        return 1;
    }
}
