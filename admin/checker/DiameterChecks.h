#pragma once
// The table checker's findings about the nominal diameter an index entry states
// (its fourth quoted field), which size matching and drawing callouts rely on.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "admin/checker/Finding.h"

namespace zelva::checker {

// The size, in millimetres, that a standard's name states, where it states one:
// M10×1.25 10, Tr 16×4 16, 1/2-13 UNC 12.7, #10-24 UNC 4.826. Pipe threads
// (G 1/2) are named after the pipe, not the thread, and state none.
std::optional<double> sizeOfName(std::string_view name);

// For the entry on `line` of index `file`: an error for a diameter that is no
// positive number, a warning for none (never matched) and for one far from the
// size its name states.
std::vector<Finding> checkNominalDiameter(const std::string& file, int line, std::string_view entryLine);

}  // namespace zelva::checker
