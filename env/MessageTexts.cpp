#include "env/MessageTexts.h"

#include <algorithm>

#include "automation/Error.h"

namespace zelva::env {

const std::vector<std::pair<int, std::string>>& AllMessageTexts() {
    static const std::vector<std::pair<int, std::string>> table = {
#define MESSAGE_TEXT(id, text) {id, text},
#include "env/MessageTexts.inc"
#undef MESSAGE_TEXT
    };
    return table;
}

std::string MessageText(int id) {
    const auto& table = AllMessageTexts();
    const auto it = std::lower_bound(table.begin(), table.end(), id,
                                     [](const auto& entry, int key) { return entry.first < key; });
    if (it == table.end() || it->first != id) throw Error::runtime(err::InvalidCall);
    return it->second;
}

}  // namespace zelva::env
