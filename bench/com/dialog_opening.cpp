// Times the thread parameter dialog's opening under Wine, from the moment the
// host calls OnDragDrop to the moment the dialog is activated on the screen:
//
//   dialog_opening component INSTALL_COPY RUNS   drops through COM on the registered
//                                                Zelvacorin.dll (the user cancels)
//   dialog_opening minimal RUNS                  the same dialog window, its template
//                                                and the DLL's icons, shown for an
//                                                empty form: no settings, no tables
//
// Prints one line per run: "run N: M microseconds". The first run of the
// component loads the DLL; the others are warm.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

#include "app/Component.h"
#include "win32/ThreadDialogWindow.h"

namespace {

using namespace zelva;
using Clock = std::chrono::steady_clock;

constexpr double kRimRadius = 5;

Clock::time_point shownAt;
bool closeOnShow = false;

// Notes when a dialog box of this thread is first activated, which it is as it is shown.
LRESULT CALLBACK noteActivation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        wchar_t name[16] = {};
        const HWND window = reinterpret_cast<HWND>(wParam);
        GetClassNameW(window, name, 16);
        if (std::wstring(name) == L"#32770" && shownAt == Clock::time_point()) {
            shownAt = Clock::now();
            if (closeOnShow) PostMessageW(window, WM_CLOSE, 0, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class Unwatched : public app::UserEvents {
public:
    void formShown(const app::ShownForm&) override {}
    void formClosed(const std::string&, bool) override {}
    void messageShown(const ui::Message&) override {}
};

// A reporter for a form that has no events to fail.
class NoMessages : public ui::Ui {
public:
    void showModal(ui::Form&) override {}
    void messageBox(const ui::Message&) override {}
};

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
    const auto loaded = app::loadComponent(install);
    sim::SimHost& host = loaded->host();
    const auto rim = host.addCircularEdge(host.addPart("plate"), {0, 0, 0}, {0, 0, 1}, kRimRadius);
    Unwatched seen;
    timeRuns(runs, [&] {
        loaded->component().drop(host.makeDropHook(rim), {{ui::UserAction::Kind::Cancel, 0, {}}}, seen);
    });
}

void minimalRuns(int runs) {
    const HMODULE resources = LoadLibraryExW(L"Zelvacorin.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!resources) throw std::runtime_error("Zelvacorin.dll is not beside the program");
    NoMessages reporter;
    closeOnShow = true;
    timeRuns(runs, [&] {
        ui::Dialog form;
        form.load();
        win32::ThreadDialogWindow(form, reporter, resources).run();
    });
    FreeLibrary(resources);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "component" && argc == 4) componentRuns(argv[2], std::stoi(argv[3]));
        else if (mode == "minimal" && argc == 3) minimalRuns(std::stoi(argv[2]));
        else {
            std::fprintf(stderr, "usage: dialog_opening component INSTALL_COPY RUNS | minimal RUNS\n");
            return 2;
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dialog_opening: %s\n", e.what());
        return 1;
    }
}
