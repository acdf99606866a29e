#pragma once
// Ordering of names the way Windows compares them: without regard to case.
// Used for registry keys and values, settings sections and keys, and ProgIDs.

#include <algorithm>
#include <string>
#include <string_view>

#include "core/automation/Names.h"

namespace zelva::settingsfiles {

// A name in the form under which case-insensitive tables keep it.
inline std::string foldedCase(std::string_view name) {
    std::string folded(name.size(), '\0');
    std::transform(name.begin(), name.end(), folded.begin(), foldNameCase);
    return folded;
}

struct CaseInsensitiveLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) {
            return static_cast<unsigned char>(foldNameCase(x)) < static_cast<unsigned char>(foldNameCase(y));
        });
    }
};

}  // namespace zelva::settingsfiles
