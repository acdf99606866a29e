#pragma once
// The component's forms as real dialogs: the stand-in host's drop runs the
// dialog procedures on the test's thread, while a second thread plays the
// user at the screen; the Win32 user interface keeps a copy of each thread
// parameter dialog model as it opened and as it closed.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "standin/corehost/Session.h"
#include "support/ComponentFixture.h"
#include "windows/server/win32/Win32Ui.h"

namespace zelva::test {

// The caption of both forms, in every language.
extern const std::wstring kFormTitle;

// Waits a few seconds at most for `holds`, which the dialog's thread brings
// about; whether it came to hold.
bool eventually(const std::function<bool()>& holds);
// The message box the thread of `form` shows above it, once it is shown.
HWND messageBoxOver(HWND form);

// The Win32 user interface, keeping a copy of each thread parameter dialog
// model as it opened and as it closed, and every message box asked for.
class RecordingUi : public ui::Ui {
public:
    explicit RecordingUi(ui::Ui& shown) : shown_(shown) {}

    void showModal(ui::Form& form) override;
    void messageBox(const ui::Message& box) override;

    std::vector<ui::FormKind> formsShown;
    std::optional<ui::Dialog> dialogOpened, dialogClosed;
    std::vector<ui::Message> boxes;

private:
    ui::Ui& shown_;
};

class Win32UiTest : public ::testing::Test {
protected:
    Win32UiTest();

    // The host's drop on `site`. `user` runs meanwhile on a thread of its own;
    // what it could not do is reported here, and whatever it leaves open is
    // closed from its title bar so the drop always returns.
    void drop(const sim::HitSiteRef& site, const std::function<void()>& user);

    sim::HitSiteRef edge() { return host.addCircularEdge(plate, {0, 0, 0}, {0, 0, 1}, 5); }
    sim::HitSiteRef face() { return host.addFace(plate, {0, 0, 0}, {0, 0, 1}); }
    void setLanguage(const std::string& language);
    std::filesystem::path prefsFile() const { return temp.path() / "install" / "Tessalo" / "Zelvacorin.prf"; }
    const ui::Dialog& opened() const { return forms.dialogOpened.value(); }
    const ui::Dialog& closed() const { return forms.dialogClosed.value(); }

    test::TempDir temp;
    server::win32::Win32Ui windows{GetModuleHandleW(nullptr)};
    RecordingUi forms{windows};
    corehost::Session session;
    sim::SimHost& host;
    std::shared_ptr<sim::doc::Part> plate;

private:
    const DWORD uiThread_ = GetCurrentThreadId();
};

}  // namespace zelva::test
