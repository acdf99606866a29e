#include "core/ui/Form.h"

namespace zelva::ui {

void Form::load() {
    if (state_ != State::Created) return;
    state_ = State::Loaded;
    try {
        if (onLoad) onLoad();
    } catch (...) {
        state_ = State::Unloaded;
        throw;
    }
}

}  // namespace zelva::ui
