#include "standin/sim/FaultPlan.h"

#include "core/automation/Object.h"

namespace zelva::sim {

Error injectedFailure() { return Error::fromHresult(static_cast<int32_t>(0x80004005u), "Injected failure"); }

void FaultPlan::failCallNumber(uint64_t callNumber, Error error) {
    byNumber_.emplace_back(callNumber, std::move(error));
}

void FaultPlan::failMember(std::string member, Error error) {
    byMember_.emplace_back(std::move(member), std::move(error));
}

void FaultPlan::clear() {
    byNumber_.clear();
    byMember_.clear();
}

std::optional<Error> FaultPlan::faultFor(uint64_t callNumber, std::string_view member) const {
    for (const auto& [number, error] : byNumber_)
        if (number == callNumber) return error;
    for (const auto& [name, error] : byMember_)
        if (sameName(name, member)) return error;
    return std::nullopt;
}

}  // namespace zelva::sim
