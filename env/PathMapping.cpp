#include "env/PathMapping.h"

#include <algorithm>

namespace zelva::env {

std::string mapWindowsPath(std::string_view path) {
    std::string mapped(path);
    std::replace(mapped.begin(), mapped.end(), '\\', '/');
    return mapped;
}

}  // namespace zelva::env
