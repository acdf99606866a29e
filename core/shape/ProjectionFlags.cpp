#include "core/shape/ProjectionFlags.h"

namespace zelva::shape {

int32_t GetProjectionFlags(int32_t flags) {
    int32_t result = 0;
    if (flags & 2) result = 2;
    if (flags & 1) result |= 1;
    return result;
}

}  // namespace zelva::shape
