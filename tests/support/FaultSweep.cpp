#include "support/FaultSweep.h"

#include <gtest/gtest.h>

#include <string>

#include "standin/sim/Journal.h"

namespace zelva::test {

namespace {

// Call numbers (1-based) of the texture step in a clean journal; none without one.
struct CallRange {
    size_t from = 0, to = 0;
    bool holds(size_t k) const { return k >= from && k <= to; }
};

CallRange textureStep(const std::vector<sim::JournalEntry>& journal) {
    CallRange range;
    for (size_t i = 0; i < journal.size(); ++i) {
        if (!range.from && journal[i].member == "SurfaceFinish") range.from = i + 1;
        if (journal[i].member == "Flip") range.to = i + 1;
    }
    return range;
}

}  // namespace

void sweepHostFaults(const SweptFlow& f) {
    sim::SimHost& clean = f.start();
    const int64_t cleanBaseline = clean.liveObjects();
    f.prepare();
    clean.clearJournal();
    f.flow();
    std::vector<std::string> calls;
    for (const auto& e : clean.journal()) calls.push_back(sim::renderEntry(e));
    const CallRange texture = textureStep(clean.journal());
    f.release();
    ASSERT_EQ(clean.liveObjects(), cleanBaseline) << "left alive by the flow itself";
    ASSERT_FALSE(calls.empty());

    for (size_t k = 1; k <= calls.size(); ++k) {
        sim::SimHost& host = f.start();
        const int64_t baseline = host.liveObjects();
        f.prepare();
        host.clearJournal();
        host.failCall(k);
        const size_t messagesBefore = f.messagesShown();
        bool returned = false;
        try {
            f.flow();
        } catch (const Error& e) {
            returned = true;
            EXPECT_EQ(e.description(), sim::injectedFailure().description()) << calls[k - 1];
            EXPECT_EQ(host.journal().size(), k) << "went on after " << calls[k - 1] << " failed";
        }
        const bool shown = f.messagesShown() > messagesBefore;
        EXPECT_TRUE(returned || shown || texture.holds(k)) << "failed unseen: " << calls[k - 1];
        if (f.check) f.check(host, k);
        f.release();
        EXPECT_EQ(host.liveObjects(), baseline) << "left alive after failing " << calls[k - 1];
    }
    f.start();
}

void releaseModuleReferences(env::Module& m) {
    m.CurrentPage.reset();
    m.HostApp.reset();
    m.HitPoint.reset();
    m.HitDirection.reset();
    m.TargetPart.reset();
    m.EditPart.reset();
    m.EditShape.reset();
}

}  // namespace zelva::test
