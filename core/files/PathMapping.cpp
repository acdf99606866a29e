#include "core/files/PathMapping.h"

#include <algorithm>

namespace zelva::files {

std::string mapWindowsPath(std::string_view path) {
    std::string mapped(path);
#ifndef _WIN32
    std::replace(mapped.begin(), mapped.end(), '\\', '/');
#endif
    return mapped;
}

}  // namespace zelva::files
