#pragma once
// Which host calls fail on purpose: a call by its number, or every call of a
// member, so that tests can make each step of a flow fail in turn.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/automation/Error.h"

namespace zelva::sim {

// The failure used when a test names none: E_FAIL, "Injected failure".
Error injectedFailure();

class FaultPlan {
public:
    void failCallNumber(uint64_t callNumber, Error error);
    void failMember(std::string member, Error error);  // case-insensitive
    void clear();

    // The failure planned for this call, if any; a numbered call wins over a member.
    std::optional<Error> faultFor(uint64_t callNumber, std::string_view member) const;

private:
    std::vector<std::pair<uint64_t, Error>> byNumber_;
    std::vector<std::pair<std::string, Error>> byMember_;
};

}  // namespace zelva::sim
