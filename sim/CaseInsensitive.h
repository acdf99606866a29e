#pragma once
// Ordering of names the way Windows compares them: without regard to case.
// Used for registry keys and values, settings sections and keys, and ProgIDs.

#include <algorithm>
#include <cctype>
#include <string_view>

namespace zelva::sim {

struct CaseInsensitiveLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
        });
    }
};

}  // namespace zelva::sim
