#pragma once
// File names compared as Windows compares them, where the component runs:
// case does not matter. Elsewhere the checker finds a file that the settings or
// an index name in another case, as Windows would.

#include <string>

namespace zelva::checker {

// `path` (UTF-8, the component's form mapped to this system) itself when it
// exists or on Windows; else the existing path whose names match it but for
// case; else `path`.
std::string findAsWindows(const std::string& path);

}  // namespace zelva::checker
