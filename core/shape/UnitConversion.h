#pragma once
// Length conversion between two of the host's unit codes, on the current page.
// Each conversion creates and releases its own converter object.

#include <cstdint>

#include "core/env/Module.h"

namespace zelva::shape {

double ConvertUnits(env::Module& m, double value, int32_t fromCode, int32_t toCode);
double ConvertUnits7To2(env::Module& m, double value);
double ConvertUnits4To7(env::Module& m, double value);

}  // namespace zelva::shape
