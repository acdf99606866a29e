#include "standin/sim/HostState.h"

namespace zelva::sim {

size_t HostState::openCall(std::string_view object, std::string_view member, CallKind kind, std::vector<JournalValue> args) {
    const size_t entry = journal.size();
    if (journalKept)
        journal.push_back({std::string(object), std::string(member), kind, std::move(args), {}, std::nullopt});
    if (auto fault = faults.faultFor(++callsMade, member)) {
        failCall(entry, *fault);
        throw *fault;
    }
    return entry;
}

// A test may clear the journal while a call runs (a component calling back
// into a test hook), or the journal is not kept; the outcome of such a call
// then has no entry to go to.
void HostState::closeCall(size_t entry, JournalValue result) {
    if (entry < journal.size()) journal[entry].result = std::move(result);
}

void HostState::failCall(size_t entry, const Error& error) {
    if (entry < journal.size()) journal[entry].error = error;
}

}  // namespace zelva::sim
