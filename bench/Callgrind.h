#pragma once
// Counts the instructions of one piece of work when the program runs under
// callgrind started with --collect-atstart=no: collection is on only inside
// `countInstructions`, and the count is written as a dump labelled `label`,
// which the bench report reads. Outside callgrind the work simply runs.

#include <valgrind/callgrind.h>

#include <string>

namespace zelva::bench {

template <class Work>
void countInstructions(const std::string& label, Work&& work) {
    CALLGRIND_ZERO_STATS;
    CALLGRIND_TOGGLE_COLLECT;
    work();
    CALLGRIND_TOGGLE_COLLECT;
    CALLGRIND_DUMP_STATS_AT(label.c_str());
}

}  // namespace zelva::bench
