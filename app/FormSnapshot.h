#pragma once
// What a user sees on a form, as JSON: captions, lists, texts, states.

#include <nlohmann/json.hpp>

#include "ui/Dialog.h"

namespace zelva::app {

nlohmann::ordered_json formControls(const ui::Form& form);
const char* formName(const ui::Form& form);

}  // namespace zelva::app
