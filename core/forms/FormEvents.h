#pragma once
#include "core/env/Module.h"

namespace zelva::forms {

// Connects the events of every new Dialog and DlgInfo instance of the module
// to their procedures. Called once when the module is made.
void ConnectFormEvents(env::Module& m);

}  // namespace zelva::forms
