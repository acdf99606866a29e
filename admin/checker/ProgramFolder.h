#pragma once
// Where the checker looks when no tree is named: beside its own program.

#include <filesystem>

namespace zelva::checker {

// The staged install tree of a build ("install" beside the program) when
// there is one, else the folder the program lies in (an install folder).
std::filesystem::path defaultTree(const char* argv0);

}  // namespace zelva::checker
