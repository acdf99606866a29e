#pragma once
#include "core/env/Module.h"

namespace zelva::forms {

// The dialog's confirmation: refuses texts that are no positive number (the
// dialog stays open; nothing is built or written); otherwise copies the
// controls into a new PShape and builds a new pin at the hit edge, or rebuilds
// the edited pin in place; saves the preferences after a new pin; unloads the
// dialog. A failing build leaves the dialog open and writes no preferences.
void BuildShapeFromDialog(env::Module& m);

}  // namespace zelva::forms
