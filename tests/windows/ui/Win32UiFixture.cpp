#include "Win32UiFixture.h"

#include <atomic>
#include <stdexcept>
#include <thread>

#include "core/texts/MessageTexts.h"
#include "core/env/Settings.h"
#include "core/shape/DropHook.h"
#include "windows/win32text/WideText.h"
#include "standin/win32user/ScreenUser.h"

namespace zelva::test {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::wstring kFormTitle = win32text::widen(texts::MessageText(2000 + texts::id::Title));

bool eventually(const std::function<bool()>& holds) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!holds()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

HWND messageBoxOver(HWND form) {
    HWND box = nullptr;
    eventually([&] {
        for (HWND open : win32user::openDialogs(GetWindowThreadProcessId(form, nullptr)))
            if (open != form) box = open;
        return box != nullptr;
    });
    if (!box) throw std::runtime_error("no message box appeared");
    return box;
}

void RecordingUi::showModal(ui::Form& form) {
    formsShown.push_back(form.kind());
    const auto* dialog = dynamic_cast<const ui::Dialog*>(&form);
    if (dialog) dialogOpened.emplace(*dialog);
    shown_.showModal(form);
    if (dialog) dialogClosed.emplace(*dialog);
}

void RecordingUi::messageBox(const ui::Message& box) {
    boxes.push_back(box);
    shown_.messageBox(box);
}

namespace {

fs::path copyOfInstallTree(const fs::path& into) {
    fs::copy(ZELVA_STAGED_INSTALL, into / "install", fs::copy_options::recursive);
    return into / "install";
}

}  // namespace

Win32UiTest::Win32UiTest()
    : session(copyOfInstallTree(temp.path()), forms), host(session.host), plate(host.addPart("plate")) {}

void Win32UiTest::drop(const sim::HitSiteRef& site, const std::function<void()>& user) {
    std::atomic<bool> dropped{false};
    std::string userFailure;
    std::thread screen([&] {
        try {
            user();
        } catch (const std::exception& e) {
            userFailure = e.what();
        }
        while (!dropped) {
            for (HWND open : win32user::openDialogs(uiThread_)) win32user::closeFromTitleBar(open);
            std::this_thread::sleep_for(100ms);
        }
    });
    try {
        const Ref<Object> handler = makeRef<shape::DropHook>(session.module);
        Variant hook = Variant::object(host.makeDropHook(site));
        handler->call("OnDragDrop", {ref(hook)});
    } catch (const Error& e) {
        ADD_FAILURE() << "the drop failed: " << e.what();
    }
    dropped = true;
    screen.join();
    if (!userFailure.empty()) ADD_FAILURE() << "the user could not go on: " << userFailure;
}

void Win32UiTest::setLanguage(const std::string& language) {
    host.registry().set(env::kFamilyKey, "Language", language);
}

}  // namespace zelva::test
