// The scripted user's watcher, which lives as long as the user: it works the
// windows of each call of the host in turn, rests between them, and lets a
// call that showed nothing end at once.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "standin/comhost/ScriptedUser.h"

using namespace zelva;

namespace {

struct SeenMessages : pinhost::UserEvents {
    std::vector<std::string> prompts;
    void formShown(const pinhost::ShownForm&) override { prompts.push_back("a form"); }
    void formClosed(const std::string&, bool) override { prompts.push_back("a form closed"); }
    void messageShown(const ui::Message& box) override { prompts.push_back(box.prompt); }
};

}  // namespace

TEST(ScriptedUser, WorksTheWindowsOfEachCallInTurnAndNothingBetween) {
    comhost::ScriptedUser user(GetCurrentThreadId());
    for (const char* prompt : {"first call", "second call"}) {
        SeenMessages seen;
        user.begin({});
        // Returns once the user has answered it, from the watcher's thread.
        EXPECT_EQ(MessageBoxA(nullptr, prompt, "Zelvacorin", MB_OK), IDOK);
        user.finish(seen);
        EXPECT_EQ(seen.prompts, std::vector<std::string>{prompt});

        SeenMessages none;
        user.begin({});
        user.finish(none);  // a call that showed nothing ends without waiting for a look
        EXPECT_TRUE(none.prompts.empty());
    }
}

TEST(ScriptedUser, EndsWhileACallIsStillBeingWatched) {
    comhost::ScriptedUser user(GetCurrentThreadId());
    user.begin({});
}  // the watcher stops with the user, not with the call
