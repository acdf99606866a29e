#include "core/env/Module.h"

namespace zelva::env {

Module::Module(host::HostLibrary& library, ui::Ui& userInterface, files::FileSystem& fileSystem)
    : hostLibrary(library), ui(userInterface), files(fileSystem) {}

Module::~Module() = default;

template <class F>
F& Module::instance(std::unique_ptr<F>& slot, const std::function<void(F&)>& wire) {
    // An unloaded form is gone for good: the next use starts again from its
    // design-time state.
    if (slot && slot->unloaded()) retired_.push_back(std::move(slot));
    if (!slot) {
        slot = std::make_unique<F>();
        if (wire) wire(*slot);
    }
    return *slot;
}

ui::Dialog& Module::dialog() { return instance(dialog_, wireDialog); }
ui::DlgInfo& Module::dlgInfo() { return instance(dlgInfo_, wireDlgInfo); }

void Module::showModal(ui::Form& form) {
    ++showing_;
    struct Done {
        Module& m;
        ~Done() {
            if (--m.showing_ == 0) m.retired_.clear();
        }
    } done{*this};
    struct Unload {
        ui::Form& f;
        ~Unload() { f.unload(); }  // also when the user interface could not show it
    } unload{form};
    form.load();
    ui.showModal(form);
}

}  // namespace zelva::env
