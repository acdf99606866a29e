#pragma once
// The number of decimals the host's dialogs show lengths with.

#include <cstdint>

#include "core/env/Module.h"

namespace zelva::env {

// CurrentPage.Application.DialogPrecision as a 32-bit integer. A negative
// count fails as an invalid call (5), as rounding to it would.
int32_t DialogPrecision(Module& m);

}  // namespace zelva::env
