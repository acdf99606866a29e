#pragma once
#include "automation/Object.h"
#include "env/Module.h"

namespace zelva::shape {

// Enters edit mode for the pin's shape and shows the parameter dialog modally.
void OpenEditDialog(env::Module& m, Ref<Object>& objPart);

}  // namespace zelva::shape
