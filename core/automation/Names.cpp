#include "core/automation/Names.h"

namespace zelva::automation {

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (foldNameCase(a[i]) != foldNameCase(b[i])) return false;
    }
    return true;
}

}  // namespace zelva::automation
