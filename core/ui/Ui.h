#pragma once
// The user interface port: shows a loaded form modally until it is unloaded,
// and shows message boxes. Headless (a scripted user) in tests and pinhost,
// real windows on Windows.

#include <optional>
#include <string>
#include <vector>

#include "core/ui/Form.h"
#include "core/ui/ScreenPlacement.h"

namespace zelva::ui {

enum class Icon { None, Critical, Exclamation };

struct Message {
    std::string prompt;
    std::optional<std::string> title;  // none: the application's default title
    Icon icon = Icon::None;
};

class Ui {
public:
    virtual ~Ui() = default;
    // Returns when the form has been unloaded. Errors raised by the events the
    // user triggers are reported by the Ui itself; the form stays usable.
    virtual void showModal(Form& form) = 0;
    virtual void messageBox(const Message& box) = 0;
    // The work areas of the screens a form may open on; none where forms are
    // not placed on a screen.
    virtual std::vector<ScreenRect> workAreas() { return {}; }
};

}  // namespace zelva::ui
