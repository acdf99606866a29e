#pragma once
// A user interface without windows: a scripted user answers each form shown,
// and every form and message box is reported to an observer. Used by the tests
// and by pinhost.

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/automation/Error.h"
#include "core/ui/Dialog.h"
#include "core/ui/Ui.h"

namespace zelva::ui {

struct UserAction {
    enum class Kind { Tab, Standard, Length, Pitch, Chamfer, Manual, Diameter, Move, Ok, Cancel };
    Kind kind;
    int number = 0;      // tab, standard index, check box value
    std::string text;    // length, pitch, diameter
    ScreenPoint corner{};  // move: the window's new top left corner, in pixels
};
using UserScript = std::vector<UserAction>;

// The scripted user asked for something no user could do on that form. The
// form is unloaded and the error passes out of showModal.
class ImpossibleAction : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The message shown when an event the user triggered fails.
Message eventErrorMessage(const Error& e);
// Whether `box` is such a message, not one the component shows itself (a
// critical "Write Prefs" box does not mean the user's act failed).
bool isEventErrorMessage(const Message& box);

class HeadlessUi : public Ui {
public:
    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void formShown(const Form&) {}
        virtual void formClosed(const Form&, bool /*byOk*/) {}
        virtual void messageShown(const Message&) {}
    };

    void setObserver(Observer* observer) { observer_ = observer; }
    // The answers for the next form shown; a form shown without answers, or
    // still open when its answers run out, is closed from its title bar.
    void answerNextForm(UserScript script) { scripts_.push_back(std::move(script)); }
    // Forgets answers no form has used.
    void discardAnswers() { scripts_.clear(); }
    const std::vector<Message>& messages() const { return messages_; }
    int formsShown() const { return formsShown_; }

    // The screen the user sees: one work area, in pixels of 96 to the inch
    // (800 × 600 unless set).
    void setScreen(const ScreenRect& workArea) { screen_ = workArea; }

    void showModal(Form& form) override;
    void messageBox(const Message& box) override;
    std::vector<ScreenRect> workAreas() override { return {screen_}; }

private:
    void perform(Form& form, const UserAction& action, bool& byOk);
    // The form at its place, or in view when a person could not reach it there.
    void place(Form& form);

    Observer* observer_ = nullptr;
    ScreenRect screen_{0, 0, 800, 600};
    std::deque<UserScript> scripts_;
    std::vector<Message> messages_;
    int formsShown_ = 0;
};

}  // namespace zelva::ui
