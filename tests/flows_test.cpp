// Each public operation run through the fault sweep: no crash, the host's
// error comes out (or is absorbed inside the texture step), what was written
// before stays, nothing leaks.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "core/automation/Error.h"
#include "core/shape/ComponentVariables.h"
#include "standin/sim/Journal.h"
#include "support/ComponentFixture.h"
#include "support/FaultSweep.h"

using namespace zelva;

namespace {

class EveryHostCallFailing : public test::ComponentFixture {
protected:
    using Setup = std::function<void(corehost::Session&)>;
    using Operation = std::function<void(corehost::Session&)>;

    // The fault sweep over `op`, each run in a fresh session prepared by
    // `setup`; `check` looks at what a failed run left behind.
    using Check = std::function<void(corehost::Session&, const std::vector<sim::JournalEntry>&, uint64_t k)>;
    void runWithEachCallFailing(const Setup& setup, const Operation& op, const Check& check = {}) {
        std::unique_ptr<corehost::Session> s;
        test::sweepHostFaults({.start = [&]() -> sim::SimHost& {
                                   s = std::make_unique<corehost::Session>(temp.path() / "install");
                                   return s->host;
                               },
                               .prepare = [&] { setup(*s); },
                               .flow = [&] { op(*s); },
                               .release = [&] { test::releaseModuleReferences(s->module); },
                               .messagesShown = [&] { return s->ui.messages().size(); },
                               .check = [&](sim::SimHost& swept, uint64_t k) {
                                   if (check) check(*s, swept.journal(), k);
                               }});
    }

    // The module state a drop leaves, and a plate to build on.
    static void dropped(corehost::Session& s) {
        auto& m = s.module;
        m.LanguageBase = 2000;
        m.CurrentPage = s.host.page();
        m.HitPoint = s.host.library().createVector();
        m.HitPoint->setXYZ(3, 4, 5);
        m.HitDirection = s.host.library().createVector();
        m.HitDirection->setXYZ(0, 0.6, 0.8);
        m.TargetPart = s.host.partObject(s.host.addPart("plate"));
    }

    static Ref<shape::PShape> pinShape(corehost::Session& s) {
        const auto p = makeRef<shape::PShape>(s.module);
        p->setDiametro(10);
        p->setLunghezza(30);
        p->setPasso(1.5);
        p->setSmusso(1);
        return p;
    }

    // A drop's state plus one pin already built.
    static void droppedWithPin(corehost::Session& s) {
        dropped(s);
        pinShape(s)->Create(s.module.TargetPart);
    }

    static Ref<Object> firstPin(corehost::Session& s) {
        return s.host.shapeObject(s.host.document().parts.front()->shapes().front());
    }
};

}  // namespace

TEST_F(EveryHostCallFailing, Create) {
    // Nothing is rolled back: once the shape was added it stays, with what was written into it.
    runWithEachCallFailing(
        dropped, [](corehost::Session& s) { pinShape(s)->Create(s.module.TargetPart); },
        [](corehost::Session& s, const std::vector<sim::JournalEntry>& journal, uint64_t k) {
            const auto added = std::find_if(journal.begin(), journal.end(), [](const auto& e) {
                return e.member == "Add" && e.object.rfind("Shapes", 0) == 0 && !e.error;
            });
            const size_t shapes = s.host.document().parts.front()->shapes().size();
            EXPECT_EQ(shapes, added != journal.end() ? 1u : 0u) << "call " << k;
        });
}

TEST_F(EveryHostCallFailing, CreateInPartOnAnEmptiedPin) {
    runWithEachCallFailing(droppedWithPin, [](corehost::Session& s) {
        Ref<Object> pin = firstPin(s);
        shape::RemoveProfileComponents(*pin);
        pinShape(s)->createInPart(pin);
    });
}

TEST_F(EveryHostCallFailing, GetPartData) {
    runWithEachCallFailing(droppedWithPin, [](corehost::Session& s) {
        Ref<Object> pin = firstPin(s);
        makeRef<shape::PShape>(s.module)->GetPartData(pin);
    });
}

TEST_F(EveryHostCallFailing, Initialize) {
    runWithEachCallFailing(droppedWithPin, [](corehost::Session& s) {
        Variant pin = Variant::object(firstPin(s));
        makeRef<shape::PShape>(s.module)->call("IC2DProjectedThreads_Initialize", {ref(pin)});
    });
}

TEST_F(EveryHostCallFailing, GetProjectedThreadInformation) {
    runWithEachCallFailing(droppedWithPin, [](corehost::Session& s) {
        Variant pin = Variant::object(firstPin(s));
        std::vector<Variant> out(10, Variant::r8(0));
        std::vector<Arg> args{ref(pin)};
        for (auto& v : out) args.push_back(ref(v));
        makeRef<shape::PShape>(s.module)->invoke("IC2DProjectedThreads_GetProjectedThreadInformation", CallKind::Method, args);
    });
}
