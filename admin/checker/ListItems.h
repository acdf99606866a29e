#pragma once
// The lengths and pitches of one data file as the component listed them,
// held against what a designer means. Errors change the pin the dialog builds:
// a missing section (the lists keep the standard chosen before), a value that
// reads as a different number than it shows (the component takes the leading
// number, so "1,25" is 1 and "M10" is 0), a length or pitch of 0 or less.
// Warnings do not: a value listed twice, lengths out of ascending order.

#include <string>
#include <vector>

#include "admin/checker/Finding.h"

namespace zelva::checker {

// `lines` are the data file's lines as the reader read them; each item is
// placed at its line after the last header of its section.
std::vector<Finding> checkListItems(const std::string& file, const std::vector<std::string>& lines,
                                    const std::vector<std::string>& lengths, const std::vector<std::string>& pitches);

}  // namespace zelva::checker
