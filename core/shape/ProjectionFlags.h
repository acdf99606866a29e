#pragma once
#include <cstdint>

namespace zelva::shape {

// The flags reported to drawing views: the drawing-transfer flags reduced to
// their two low bits.
int32_t GetProjectionFlags(int32_t flags);

}  // namespace zelva::shape
