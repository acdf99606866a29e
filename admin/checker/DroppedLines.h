#pragma once
// Values of a data file that the component drops without a word: a list
// section ends at its first blank line, and the lines after it up to the next
// header are ignored, except comments ("#" or "@" first).

#include <string>
#include <vector>

#include "admin/checker/Finding.h"

namespace zelva::checker {

// `lines` are the data file's lines as the reader read them; one error for
// each run of dropped lines.
std::vector<Finding> checkDroppedLines(const std::string& file, const std::vector<std::string>& lines);

}  // namespace zelva::checker
