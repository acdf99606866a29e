#pragma once
// The table checker: reads a tree's settings and every group's index and data
// files through the component's own readers, as the thread parameter dialog
// does for each tab and standard. What makes the dialog show or build other
// than the files state is an error; what it reads as written but a person may
// not have meant is a warning.

#include <filesystem>
#include <string>
#include <vector>

#include "admin/checker/Finding.h"

namespace zelva::checker {

// The findings for the tree at `root` (a shipped tree holding Tessalo.reg, its
// Tessalo folder, or an install folder whose settings are in the registry), in
// the order met. `checked`, when given, receives the folder the settings name
// and where the settings came from, for the report's first line. A tree that
// cannot be read at all is a std::runtime_error.
std::vector<Finding> checkTree(const std::filesystem::path& root, std::string* checked = nullptr);

}  // namespace zelva::checker
