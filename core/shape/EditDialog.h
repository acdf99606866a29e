#pragma once
#include "core/automation/Object.h"
#include "core/env/Module.h"

namespace zelva::shape {

// Enters edit mode for the pin's shape and shows the parameter dialog modally.
void OpenEditDialog(env::Module& m, Ref<Object>& objPart);

}  // namespace zelva::shape
