#include "standin/comhost/ScriptedUser.h"

#include <algorithm>
#include <stdexcept>

#include "standin/comhost/WindowSnapshot.h"
#include "windows/server/win32/ControlIds.h"
#include "windows/win32text/WideText.h"
#include "standin/win32user/ScreenUser.h"
#include "standin/win32user/Screenshot.h"

namespace zelva::comhost {

using namespace std::chrono_literals;
using namespace server::win32::ids;
using K = ui::UserAction::Kind;
using pinhost::kDialogForm;
using pinhost::kNoticeForm;
using pinhost::ShownForm;

namespace {

constexpr auto kLookAgainAfter = 10ms;
constexpr auto kOkEndsFormWithin = 10s;  // the work behind OK on a loaded machine

const char* formNameOf(WindowKind kind) { return kind == WindowKind::ThreadDialog ? kDialogForm : kNoticeForm; }

HWND control(HWND form, int id) { return GetDlgItem(form, id); }

// A form still before the user: an ended dialog is hidden at once, destroyed a little later.
bool isOpen(HWND form) { return IsWindow(form) && IsWindowVisible(form); }

HWND threadDialogControl(HWND form, int id) {
    if (kindOf(form) != WindowKind::ThreadDialog)
        throw ui::ImpossibleAction("this answer needs the thread parameter dialog");
    return control(form, id);
}

void clickButton(HWND button, const char* name) {
    if (!win32user::isEnabled(button) || !win32user::isShown(button))
        throw ui::ImpossibleAction(std::string("the ") + name + " button is disabled");
    win32user::click(button);
}

// Ticks or clears a check box by clicking it, as often as it takes.
void setCheck(HWND box, int value) {
    for (int clicks = 0; win32user::checkState(box) != value; ++clicks) {
        if (clicks == 2) throw std::runtime_error("the check box does not take the value " + std::to_string(value));
        win32user::click(box);
    }
}

}  // namespace

ScriptedUser::ScriptedUser(DWORD hostThread) : hostThread_(hostThread), watcher_([this] { run(); }) {}

ScriptedUser::~ScriptedUser() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    watcher_.join();
}

void ScriptedUser::begin(const ui::UserScript& answers) {
    {
        const std::lock_guard lock(mutex_);
        answers_ = answers;
        events_.clear();
        handled_.clear();
        impossible_.clear();
        failure_.clear();
        state_ = State::Watching;
    }
    changed_.notify_all();
}

void ScriptedUser::finish(pinhost::UserEvents& seen) {
    {
        std::unique_lock lock(mutex_);
        state_ = State::Stopping;
        changed_.notify_all();
        changed_.wait(lock, [this] { return state_ == State::Resting; });
    }
    for (const Event& event : events_) event(seen);
    if (!impossible_.empty()) throw ui::ImpossibleAction(impossible_);
    if (!failure_.empty()) throw std::runtime_error("the scripted user: " + failure_);
}

// The watcher's thread: one call's watching after another, resting between.
// A call that ended before the thread woke is not watched at all.
void ScriptedUser::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return ending_ || state_ != State::Resting; });
        if (ending_) return;
        if (state_ == State::Watching) {
            lock.unlock();
            watch();
            lock.lock();
        }
        state_ = State::Resting;
        changed_.notify_all();
    }
}

void ScriptedUser::record(Event event) {
    const std::lock_guard lock(mutex_);
    events_.push_back(std::move(event));
}

void ScriptedUser::watch() {
    do {
        for (HWND window : win32user::openDialogs(hostThread_)) {
            if (std::find(handled_.begin(), handled_.end(), window) != handled_.end()) continue;
            handled_.push_back(window);
            try {
                if (!failure_.empty() || !impossible_.empty()) closeFromTitleBar(window);
                else if (kindOf(window) == WindowKind::MessageBox) answerMessageBox(window);
                else workForm(window);
            } catch (const std::exception& e) {
                // Whatever else opens is closed, so that the host's call can end.
                if (failure_.empty()) failure_ = e.what();
                PostMessageW(window, WM_CLOSE, 0, 0);
            }
        }
    } while (lookAgainLater());
}

// Waits a moment before the next look at the screen, less when the host's
// call ends meanwhile; whether it is still under way.
bool ScriptedUser::lookAgainLater() {
    std::unique_lock lock(mutex_);
    return !changed_.wait_for(lock, kLookAgainAfter, [this] { return ending_ || state_ != State::Watching; });
}

void ScriptedUser::workForm(HWND form) {
    const WindowKind kind = kindOf(form);
    ShownForm shown = kind == WindowKind::ThreadDialog ? shownForm(threadDialogSnapshot(form))
                                                       : shownForm(noticeSnapshot(form));
    record([shown](pinhost::UserEvents& seen) { seen.formShown(shown); });
    // Pictured as first shown, when the environment names a folder for pictures.
    win32user::screenshot(form, "pinhost-" + shown.name);
    const ui::UserScript answers = std::exchange(answers_, {});
    bool byOk = false;
    for (const ui::UserAction& action : answers) {
        if (!isOpen(form)) break;
        try {
            const bool errorShown = perform(form, action);
            if (action.kind == K::Ok) byOk = true;
            if (action.kind == K::Cancel || errorShown) byOk = false;
        } catch (const ui::ImpossibleAction& e) {
            // The form goes with the script, unreported, as it does for the headless user.
            impossible_ = e.what();
            closeFromTitleBar(form);
            return;
        }
    }
    if (byOk && awaitEndAfterOk(form)) byOk = false;
    if (isOpen(form)) {
        byOk = false;
        closeFromTitleBar(form);
    }
    if (!win32user::waitUntilClosed(form)) throw std::runtime_error("a form stayed on the screen after it ended");
    const std::string name = formNameOf(kind);
    record([name, byOk](pinhost::UserEvents& seen) { seen.formClosed(name, byOk); });
}

bool ScriptedUser::perform(HWND form, const ui::UserAction& action) {
    switch (action.kind) {
        case K::Tab: {
            HWND tabs = threadDialogControl(form, StandardGroups);
            if (action.number < 0 || action.number >= static_cast<int>(win32user::tabCaptions(tabs).size()))
                throw ui::ImpossibleAction("there is no tab " + std::to_string(action.number));
            win32user::clickTab(tabs, action.number);
            break;
        }
        case K::Standard: {
            HWND list = threadDialogControl(form, Standards);
            if (!win32user::isEnabled(list)) throw ui::ImpossibleAction("the standards list is disabled");
            if (action.number < 0 || action.number >= static_cast<int>(win32user::listItems(list).size()))
                throw ui::ImpossibleAction("the standards list has no item " + std::to_string(action.number));
            win32user::pickItem(list, action.number);
            break;
        }
        case K::Length: win32user::type(threadDialogControl(form, Lengths), win32text::widen(action.text)); break;
        case K::Pitch: win32user::type(threadDialogControl(form, Pitches), win32text::widen(action.text)); break;
        case K::Chamfer: setCheck(threadDialogControl(form, Chamfer), action.number); break;
        case K::Manual: setCheck(threadDialogControl(form, ManualSwitch), action.number); break;
        case K::Diameter: {
            HWND box = threadDialogControl(form, ManualDiameter);
            if (!win32user::isShown(box)) throw ui::ImpossibleAction("the diameter box is hidden until Man. is ticked");
            win32user::type(box, win32text::widen(action.text));
            break;
        }
        case K::Move: win32user::moveTo(form, action.corner.x, action.corner.y); break;
        case K::Ok: clickButton(control(form, IDOK), "OK"); break;
        case K::Cancel:
            if (kindOf(form) == WindowKind::ThreadDialog) clickButton(control(form, Cancel), "Cancel");
            else closeFromTitleBar(form);
            break;
    }
    return answerMessageBoxes();
}

bool ScriptedUser::answerMessageBoxes() {
    bool errorShown = false;
    for (HWND window : win32user::openDialogs(hostThread_)) {
        if (kindOf(window) != WindowKind::MessageBox) continue;
        if (std::find(handled_.begin(), handled_.end(), window) != handled_.end()) continue;
        handled_.push_back(window);
        errorShown = ui::isEventErrorMessage(messageBoxShown(window)) || errorShown;
        answerMessageBox(window);
    }
    return errorShown;
}

// The work behind OK can still be under way when the click returns (the host's
// calls, a message box yet to open): the form is given time to end, its message
// boxes answered meanwhile. Whether one of them said the form's input was refused.
bool ScriptedUser::awaitEndAfterOk(HWND form) {
    const auto deadline = std::chrono::steady_clock::now() + kOkEndsFormWithin;
    while (isOpen(form) && std::chrono::steady_clock::now() < deadline) {
        if (answerMessageBoxes()) return true;
        std::this_thread::sleep_for(kLookAgainAfter);
    }
    return false;
}

void ScriptedUser::answerMessageBox(HWND box) {
    const ui::Message message = messageBoxShown(box);
    record([message](pinhost::UserEvents& seen) { seen.messageShown(message); });
    win32user::screenshot(box, "pinhost-MessageBox");
    win32user::click(GetDlgItem(box, IDOK));
    if (!win32user::waitUntilClosed(box)) throw std::runtime_error("a message box stayed open after OK");
}

void ScriptedUser::closeFromTitleBar(HWND form) {
    win32user::closeFromTitleBar(form);
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (IsWindow(form)) {
        answerMessageBoxes();
        if (std::chrono::steady_clock::now() > deadline) throw std::runtime_error("a form stayed open when closed");
        std::this_thread::sleep_for(kLookAgainAfter);
    }
}

}  // namespace zelva::comhost
