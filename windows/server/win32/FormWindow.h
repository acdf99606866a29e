#pragma once
// A form model shown as a modal dialog without an owner. The window shows the
// model: its controls, caption and position when the dialog opens and after
// every action of the user. The user's actions go to the model and raise its
// events; an event that fails with an automation error is reported in a message
// box and the dialog stays open. The dialog ends when the form is unloaded;
// closing it from its title bar is the form's own close.

#include <windows.h>

#include <exception>
#include <functional>

#include "ControlMirror.h"
#include "DialogTemplate.h"
#include "core/ui/Form.h"
#include "core/ui/Ui.h"

namespace zelva::server::win32 {

class FormWindow {
public:
    // `reporter` shows the message boxes of failed events; `resources` holds the icons.
    FormWindow(ui::Form& form, ui::Ui& reporter, HINSTANCE resources);
    virtual ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Returns when the form is unloaded. A failure other than an automation
    // error ends the dialog and passes on from here.
    void run();

protected:
    using Action = std::function<void()>;

    HWND item(int id) const { return GetDlgItem(window_, id); }
    HINSTANCE resources() const { return resources_; }
    // The dialog's font, and the same in bold.
    const LabelFonts& fonts() const { return fonts_; }

    virtual DialogTemplate layout() const = 0;
    // An empty modal dialog of the given size in dialog units, in the forms' font.
    static DialogTemplate formTemplate(short width, short height);
    // What the template cannot hold: pictures, tool tips.
    virtual void create() {}
    // Shows the model's controls.
    virtual void show() = 0;
    // The model action a control's notification stands for; none for the
    // notifications that are not the user's acts.
    virtual Action commandAction(int id, int code, HWND control) = 0;
    virtual Action notifyAction(const NMHDR&) { return {}; }
    // The identifier of the window that shows a model control; 0 for none.
    virtual int controlId(const ui::Control&) const { return 0; }
    static Action when(bool userActed, Action action) { return userActed ? std::move(action) : Action(); }

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    Action titleBarClose() { return [this] { form_.closeFromTitleBar(); }; }
    // Performs what a notification stands for, unless it came from showing the model.
    BOOL userActs(const Action& action);
    void perform(const Action& action);
    void showForm();
    // The window at the form's place, or in view when a person could not reach it there.
    void place();
    // The focus to the control the form asked for, if it asked.
    void giveFocus();
    void notePosition();

    ui::Form& form_;
    ui::Ui& reporter_;
    HINSTANCE resources_;
    HWND window_ = nullptr;
    LabelFonts fonts_{};
    // Set while the window is being made to show the model: the notifications
    // it raises then are not the user's.
    bool showing_ = false;
    std::exception_ptr failure_;
};

}  // namespace zelva::server::win32
