#pragma once
// What the user saw while the component worked: each form as it was shown
// (its controls as the transcript writes them), how it was closed, and each
// message box. The headless user reports them from the form models, the
// user at the screen from the real windows.

#include <string>

#include <nlohmann/json.hpp>

#include "core/ui/Ui.h"

namespace zelva::pinhost {

struct ShownForm {
    std::string name;                 // "Dialog" or "DlgInfo"
    nlohmann::ordered_json controls;  // captions, lists, texts, states
};

class UserEvents {
public:
    virtual ~UserEvents() = default;
    virtual void formShown(const ShownForm& form) = 0;
    virtual void formClosed(const std::string& form, bool byOk) = 0;
    virtual void messageShown(const ui::Message& box) = 0;
};

}  // namespace zelva::pinhost
