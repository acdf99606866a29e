#pragma once
// The fault sweep: a flow run once cleanly, then once per host call it made
// with that call failing. What each failed run must do:
// - the failure comes back as the injected error, and no host call follows
//   it; or it is shown to the user;
// - only a call of the texture step (from its SurfaceFinish to its Flip in the
//   clean run), which skips what fails, may fail quietly;
// - nothing the flow fetched stays alive.

#include <cstdint>
#include <functional>
#include <vector>

#include "core/env/Module.h"
#include "standin/sim/SimHost.h"

namespace zelva::test {

struct SweptFlow {
    // Starts a run: answers the host it runs on, with the last run's module
    // references released and no fault planned.
    std::function<sim::SimHost&()> start = nullptr;
    std::function<void()> prepare = [] {};
    std::function<void()> flow = nullptr;
    // Drops the module's references, so that only what a run failed to release stays alive.
    std::function<void()> release = nullptr;
    // Messages the user has been shown so far.
    std::function<size_t()> messagesShown = [] { return size_t{0}; };
    // Looks at what the run with call k failing left behind.
    std::function<void(sim::SimHost&, uint64_t k)> check = nullptr;
};

void sweepHostFaults(const SweptFlow& f);

// Drops every host reference the module holds.
void releaseModuleReferences(env::Module& m);

}  // namespace zelva::test
