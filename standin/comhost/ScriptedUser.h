#pragma once
// The user of a scenario at the screen: while the host's thread runs a call
// into the component, a thread of its own waits for the windows the
// component opens on the host's thread and works them as a person would.
// The thread lives as long as the user and rests between the host's calls,
// so that a call pays for no thread's start.
// The first form gets the step's answers, through window messages; a form
// still open when they run out is closed from its title bar; message boxes
// are read and answered OK. Nothing in the component knows.

#include <windows.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "standin/pinhost/UserEvents.h"
#include "core/ui/HeadlessUi.h"

namespace zelva::comhost {

class ScriptedUser {
public:
    // Watches the windows of thread `hostThread`.
    explicit ScriptedUser(DWORD hostThread);
    ~ScriptedUser();
    ScriptedUser(const ScriptedUser&) = delete;
    ScriptedUser& operator=(const ScriptedUser&) = delete;

    // Starts watching, with the answers for the first form shown.
    void begin(const ui::UserScript& answers);
    // Stops watching once the host's call is over, and tells `seen` what was
    // shown, in order. An answer no user could give is a ui::ImpossibleAction;
    // a window that would not answer, a std::runtime_error.
    void finish(pinhost::UserEvents& seen);

private:
    using Event = std::function<void(pinhost::UserEvents&)>;

    void run();
    void watch();
    bool lookAgainLater();
    void workForm(HWND form);
    // Acts on `form`; answers the message boxes the act opened. Whether
    // one of them reported that the act failed.
    bool perform(HWND form, const ui::UserAction& action);
    bool answerMessageBoxes();
    bool awaitEndAfterOk(HWND form);
    void answerMessageBox(HWND box);
    void closeFromTitleBar(HWND form);
    void record(Event event);

    enum class State { Resting, Watching, Stopping };

    DWORD hostThread_;
    std::mutex mutex_;  // guards what follows
    std::condition_variable changed_;
    State state_ = State::Resting;
    bool ending_ = false;
    ui::UserScript answers_;
    std::vector<Event> events_;
    std::vector<HWND> handled_;
    std::string impossible_, failure_;
    std::thread watcher_;  // last: it starts on what comes before
};

}  // namespace zelva::comhost
