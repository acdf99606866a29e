#pragma once
// Where the dialog finds the current group's standards: the index file and the
// section of it that lists them.

#include <cstdint>
#include <string>

#include "core/env/Module.h"

namespace zelva::forms {

constexpr int16_t kStandardsSection = 1;

// The index file of the current group (StandardsDir + IniFileName).
std::string indexFilePath(const env::Module& m);

}  // namespace zelva::forms
