#pragma once
// The table checker: reads a tree's settings and every group's index and data
// files through the component's own readers, as the thread parameter dialog
// does for each tab and standard, and reports what the component would show
// the user as a message box and what it accepts silently but a person would
// not want.

#include <filesystem>
#include <vector>

#include "app/tables/Finding.h"

namespace zelva::tables {

// The findings for the tree at `root` (a shipped tree holding Tessalo.reg, or
// an install folder whose settings are in the registry), in the order met.
// A tree that cannot be read at all is a std::runtime_error.
std::vector<Finding> checkTree(const std::filesystem::path& root);

}  // namespace zelva::tables
