#pragma once
// What a table or settings file's bytes hold that the component reads without
// complaint but not as a person wrote it: line ends of LF alone, a byte-order
// mark, bytes that are no Windows-1252 character, text saved as UTF-8.

#include <string>
#include <vector>

#include "app/tables/Finding.h"

namespace zelva::tables {

// Findings for the bytes of `file` (named so in the findings), one at most per line.
std::vector<Finding> checkBytes(const std::string& bytes, const std::string& file);

}  // namespace zelva::tables
