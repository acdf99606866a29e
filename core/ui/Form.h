#pragma once
// A modal form: created in its design-time state, loaded (its Load event
// prepares it), shown until it is unloaded. Closing it from its title bar counts
// as the form's cancel.

#include <functional>
#include <string>

namespace zelva::ui {

struct Control;

enum class FormKind { Dialog, DlgInfo };

class Form {
public:
    virtual ~Form() = default;
    virtual FormKind kind() const = 0;

    std::string caption;
    float top = 0;   // twips
    float left = 0;  // twips

    std::function<void()> onLoad;

    // Raises Load once; a failing Load leaves the form unloaded and passes the error on.
    void load();
    bool loaded() const { return state_ == State::Loaded; }
    bool unloaded() const { return state_ == State::Unloaded; }
    void unload() { state_ = State::Unloaded; }
    // The user closed the form from its title bar.
    virtual void closeFromTitleBar() { unload(); }

    // The runtime's SetFocus: the control the user's next keys go to. The
    // window showing the form moves the focus there, then drops the request.
    void setFocus(const Control& control) { focusRequest_ = &control; }
    const Control* focusRequest() const { return focusRequest_; }
    void dropFocusRequest() { focusRequest_ = nullptr; }

private:
    enum class State { Created, Loaded, Unloaded };
    State state_ = State::Created;
    const Control* focusRequest_ = nullptr;
};

}  // namespace zelva::ui
