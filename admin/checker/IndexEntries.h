#pragma once
// The entries of a group's index file held against what the standards list
// shows: an entry with fewer than three quoted fields, a standard name listed
// twice, and entries after the line that ends the section, which the
// component never lists. All are errors: each makes the list differ from the file.

#include <string>
#include <vector>

#include "admin/checker/Finding.h"

namespace zelva::checker {

// `lines` are the index file's lines as the component splits them; `header`
// is the section the dialog reads ("[1]").
std::vector<Finding> checkIndexEntries(const std::string& file, const std::vector<std::string>& lines,
                                       const std::string& header);

}  // namespace zelva::checker
