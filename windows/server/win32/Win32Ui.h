#pragma once
// The user interface on Windows: the component's forms as real modal dialogs
// without an owner, whose controls mirror the form models both ways, and
// message boxes with the forms' icons and the application's default title.

#include <windows.h>

#include <vector>

#include "core/ui/Ui.h"

namespace zelva::server::win32 {

class Win32Ui : public ui::Ui {
public:
    // `resources` is the module whose icons the dialogs show (the component DLL).
    explicit Win32Ui(HINSTANCE resources);

    void showModal(ui::Form& form) override;
    void messageBox(const ui::Message& box) override;
    std::vector<ui::ScreenRect> workAreas() override;

private:
    HINSTANCE resources_;
};

}  // namespace zelva::server::win32
