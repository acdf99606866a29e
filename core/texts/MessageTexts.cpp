#include "core/texts/MessageTexts.h"

#include <algorithm>

#include "core/automation/Error.h"

namespace zelva::texts {

const std::vector<std::pair<int, std::string>>& AllMessageTexts() {
    static const std::vector<std::pair<int, std::string>> table = {
#define MESSAGE_TEXT(id, text) {id, text},
#include "core/texts/MessageTexts.inc"
#undef MESSAGE_TEXT
    };
    return table;
}

std::optional<std::string> FindMessageText(int id) {
    const auto& table = AllMessageTexts();
    const auto it = std::lower_bound(table.begin(), table.end(), id,
                                     [](const auto& entry, int key) { return entry.first < key; });
    if (it == table.end() || it->first != id) return std::nullopt;
    return it->second;
}

std::string MessageText(int id) {
    std::optional<std::string> text = FindMessageText(id);
    if (!text) throw Error::runtime(err::InvalidCall);
    return *std::move(text);
}

std::string MessageText(int id, std::string_view value) {
    static constexpr std::string_view kValueMark = "%1";
    std::string text = MessageText(id);
    if (const size_t at = text.find(kValueMark); at != std::string::npos) text.replace(at, kValueMark.size(), value);
    return text;
}

}  // namespace zelva::texts
