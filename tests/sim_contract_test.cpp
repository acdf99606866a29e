// The stand-in host's contract: its journal records every call with the types
// it was made with, its members and variables take only what the host's do,
// and its fault plan and live count tell the truth about every call.

#include <gtest/gtest.h>

#include "core/automation/Error.h"
#include "standin/sim/SimHost.h"
#include "support/SimHostFixture.h"

namespace zelva::sim {
namespace {

// ---- journal ----------------------------------------------------------------

TEST_F(SimHostTest, JournalRecordsEachCallWithExactArgumentTypesAndResults) {
    const Ref<Object> shape = newShape();
    sim.clearJournal();
    setValue(*variable(*component(*shape, 1), 2), Variant::r8(5));

    const auto& j = sim.journal();
    ASSERT_EQ(j.size(), 4u) << journalText();
    EXPECT_EQ(j[0].member, "Components");
    EXPECT_EQ(j[0].kind, CallKind::Get);
    ASSERT_EQ(j[0].args.size(), 1u);
    EXPECT_EQ(j[0].args[0].type, VarType::I4);
    EXPECT_EQ(j[0].args[0].text, "1");
    EXPECT_FALSE(j[0].args[0].byRef);
    EXPECT_EQ(j[1].object, j[0].result.text);
    EXPECT_EQ(j[1].args[0].type, VarType::I2);
    EXPECT_EQ(j[3].kind, CallKind::Put);
    EXPECT_EQ(j[3].args[0].type, VarType::R8);
    EXPECT_EQ(renderEntry(j[1]).substr(0, 14), "Components(1)#");
    EXPECT_NE(renderEntry(j[1]).find(".Item(I2 1) -> Object Component(1)#"), std::string::npos) << renderEntry(j[1]);
    EXPECT_NE(renderEntry(j[3]).find(".Value = R8 5"), std::string::npos) << renderEntry(j[3]);
}

TEST_F(SimHostTest, JournalMarksByReferenceArgumentsAndKeepsTheMemberSpelling) {
    const Ref<Object> shape = newShape();
    sim.clearJournal();
    Variant a = Variant::r8(0), b = Variant::r8(0), c = Variant::r8(7);
    shape->call("getnormal", {ref(a), ref(b), ref(c)});

    ASSERT_EQ(sim.journal().size(), 1u);
    const JournalEntry& e = sim.journal()[0];
    EXPECT_EQ(e.member, "getnormal");
    EXPECT_TRUE(e.args[0].byRef && e.args[1].byRef && e.args[2].byRef);
    EXPECT_EQ(e.args[2].type, VarType::R8);
    EXPECT_EQ(e.args[2].text, "7");  // as passed, before the call wrote it
    EXPECT_EQ(c, Variant::r8(1));
}

TEST_F(SimHostTest, JournalRecordsFailuresWithTheirNumber) {
    const Ref<Object> shape = newShape();
    sim.clearJournal();
    EXPECT_EQ(errorNumber([&] { shape->get("NoSuchMember"); }), err::MemberNotSupported);
    ASSERT_EQ(sim.journal().size(), 1u);
    ASSERT_TRUE(sim.journal()[0].error);
    EXPECT_EQ(sim.journal()[0].error->number(), err::MemberNotSupported);
    EXPECT_NE(renderEntry(sim.journal()[0]).find("-> error 438"), std::string::npos);
}

TEST_F(SimHostTest, LibraryCallsAreJournalledByRole) {
    Ref<host::HostVector> v = sim.library().createVector();
    v->setXYZ(3, 0, 4);
    v->normalize();
    EXPECT_DOUBLE_EQ(v->x(), 0.6);

    const auto& j = sim.journal();
    ASSERT_EQ(j.size(), 4u) << journalText();
    EXPECT_EQ(j[0].object, "HostLibrary");
    EXPECT_EQ(j[0].member, "createVector");
    EXPECT_EQ(j[0].result.type, VarType::Object);
    EXPECT_EQ(j[1].object, j[0].result.text);
    EXPECT_EQ(renderEntry(j[1]), j[1].object + ".setXYZ(ref R8 3, ref R8 0, ref R8 4)");
    EXPECT_EQ(j[3].result.type, VarType::R8);
    EXPECT_EQ(j[3].result.text, "0.6");
}

TEST_F(SimHostTest, ObjectsMadeWithoutAJournalAreJournalledLaterUnderTheirOwnNumbers) {
    Ref<host::HostVector> first = sim.library().createVector();
    const std::string firstLabel = sim.journal().back().result.text;
    const size_t hash = firstLabel.find('#');
    ASSERT_NE(hash, std::string::npos) << firstLabel;
    const std::string kind = firstLabel.substr(0, hash + 1);
    const int number = std::stoi(firstLabel.substr(hash + 1));

    sim.keepJournal(false);
    Ref<host::HostVector> second = sim.library().createVector();
    Ref<host::HostVector> third = sim.library().createVector();
    sim.keepJournal(true);
    third->setXYZ(1, 0, 0);
    second->setXYZ(1, 0, 0);

    const auto& j = sim.journal();
    ASSERT_EQ(j.size(), 3u) << journalText();
    EXPECT_EQ(j[1].object, kind + std::to_string(number + 2));
    EXPECT_EQ(j[2].object, kind + std::to_string(number + 1));
}

// ---- member dispatch ----------------------------------------------------------

TEST_F(SimHostTest, MembersCheckNameCountAndArgumentTypes) {
    const Ref<Object> shape = newShape();
    EXPECT_EQ(errorNumber([&] { shape->call("ResetSizeBoxes"); }), err::MemberNotSupported);
    EXPECT_EQ(errorNumber([&] { shape->get("Components"); }), err::WrongArgumentCount);
    EXPECT_EQ(errorNumber([&] { shape->get("Components", {val(Variant::i2(1))}); }), err::TypeMismatch);
    EXPECT_EQ(errorNumber([&] { shape->put("Type", {val(Variant::i4(3))}); }), err::PropertyReadOnly);
    EXPECT_EQ(errorNumber([&] { shape->put("Name", {val(Variant::i4(3))}); }), err::TypeMismatch);
    // Names are case-insensitive, and members with a result answer a Get or a Method call.
    EXPECT_EQ(shape->call("TYPE"), Variant::i4(5));
    EXPECT_EQ(toInt32(components(*shape, 1)->call("count")), 1);
}

TEST_F(SimHostTest, MembersBelongToTheComponentTypesThatHaveThem) {
    const Ref<Object> shape = newShape();
    EXPECT_EQ(errorNumber([&] { component(*shape, 1)->get("Profile"); }), err::MemberNotSupported);
    EXPECT_EQ(errorNumber([&] { component(*shape, 15)->call("AddEllipse", {}); }), err::MemberNotSupported);
    const Ref<Object> finish = components(*shape, 27)->callObject("Add");
    EXPECT_EQ(errorNumber([&] { finish->get("Shapes", {val(Variant::i4(5))}); }), err::MemberNotSupported);
}

// ---- variables --------------------------------------------------------------

TEST_F(SimHostTest, VariableReadsBackWithTheTypeItWasWrittenWithAndTakesOnlyItsOwnTypes) {
    const Ref<Object> shape = newShape();
    const Ref<Object> body = component(*shape, 14);
    EXPECT_TRUE(valueOf(*variable(*body, 23)).isEmpty());
    // An end chamfer is a double, or the 16-bit 0 for none.
    for (const Variant& v : {Variant::r8(0.75), Variant::i2(0)}) {
        setValue(*variable(*body, 23), v);
        EXPECT_EQ(valueOf(*variable(*body, 23)), v) << typeName(v.type());
    }
    for (const Variant& v : {Variant::i4(0), Variant::str("0"), Variant::boolean(false)})
        EXPECT_EQ(errorNumber([&] { setValue(*variable(*body, 23), v); }), err::TypeMismatch) << typeName(v.type());
    EXPECT_EQ(valueOf(*variable(*body, 23)), Variant::i2(0));  // a refused value changes nothing

    const Ref<Object> box = component(*shape, 1);
    EXPECT_EQ(errorNumber([&] { setValue(*variable(*box, 4), Variant::i4(1)); }), err::TypeMismatch);
    EXPECT_EQ(errorNumber([&] { setValue(*variable(*box, 14), Variant::i2(3)); }), err::TypeMismatch);
    EXPECT_EQ(errorNumber([&] { setValue(*variable(*box, 1), Variant::i4(5)); }), err::TypeMismatch);
}

TEST_F(SimHostTest, EachComponentTypeHasItsOwnVariableNumbers) {
    const Ref<Object> shape = newShape();
    const Ref<Object> box = component(*shape, 1);
    for (int32_t n : {1, 2, 3, 4, 5, 6, 7, 14}) EXPECT_NO_THROW(variable(*box, n)) << n;
    for (int32_t n : {0, 8, 13, 23}) EXPECT_EQ(errorNumber([&] { variable(*box, n); }), err::SubscriptOutOfRange) << n;
    const Ref<Object> body = component(*shape, 14);
    for (int32_t n : {23, 24, 47, 62}) EXPECT_NO_THROW(variable(*body, n)) << n;
    EXPECT_EQ(errorNumber([&] { variable(*body, 1); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { variable(*component(*shape, 4), 8); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { variable(*component(*shape, 15), 1); }), err::SubscriptOutOfRange);
}

TEST_F(SimHostTest, PartDataFieldsAreAddressedByKindAndIndexWithTheirTypes) {
    const Ref<Object> shape = newShape();
    const Ref<Object> data = components(*shape, 34)->callObject("Add");
    setValue(*variable(*data, 1, 12), Variant::r8(1.25));
    setValue(*variable(*data, 2, 0), Variant::str("Tessalo"));
    EXPECT_EQ(valueOf(*variable(*data, 1, 12)), Variant::r8(1.25));
    EXPECT_TRUE(valueOf(*variable(*data, 1, 13)).isEmpty());
    EXPECT_EQ(errorNumber([&] { variable(*data, 12); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { variable(*data, 2, 12); }), err::SubscriptOutOfRange);
    // The chamfer is a 16-bit integer, the pitch a double.
    EXPECT_EQ(errorNumber([&] { setValue(*variable(*data, 1, 13), Variant::i4(1)); }), err::TypeMismatch);
    EXPECT_EQ(errorNumber([&] { setValue(*variable(*data, 1, 12), Variant::i2(1)); }), err::TypeMismatch);
}

TEST_F(SimHostTest, VariableRefusesObjectsAndLooseAddressTypes) {
    const Ref<Object> shape = newShape();
    const Ref<Object> box = component(*shape, 1);
    EXPECT_EQ(errorNumber([&] { setValue(*variable(*box, 1), Variant::object(shape)); }), err::TypeMismatch);
    EXPECT_EQ(errorNumber([&] { box->getObject("Variable", {val(Variant::r8(1))}); }), err::TypeMismatch);
    EXPECT_EQ(errorNumber([&] {
                  box->getObject("Variable", {val(Variant::i4(1)), val(Variant::i4(6))});
              }),
              err::TypeMismatch);
}

// ---- faults and counts ------------------------------------------------------

TEST_F(SimHostTest, FailCallMakesExactlyTheKthCallFromNowFail) {
    const Ref<Object> shape = newShape();
    const Error planned = Error::runtime(err::Overflow);
    sim.clearJournal();
    sim.failCall(2, planned);

    EXPECT_NO_THROW(shape->get("Name"));
    try {
        shape->get("Type");
        FAIL() << "the second call did not fail";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::Overflow);
    }
    EXPECT_NO_THROW(shape->get("Type"));
    ASSERT_EQ(sim.journal().size(), 3u);
    EXPECT_FALSE(sim.journal()[0].error);
    ASSERT_TRUE(sim.journal()[1].error);
    EXPECT_EQ(sim.journal()[1].result.type, VarType::Empty);
    EXPECT_EQ(sim.callCount(), 3u);
}

TEST_F(SimHostTest, FailedCallChangesNothing) {
    const Ref<Object> shape = newShape();
    sim.failCall(1);
    EXPECT_THROW(shape->put("Name", {val(Variant::str("Pin"))}), Error);
    EXPECT_EQ(part->shapes()[0]->name, "");
}

TEST_F(SimHostTest, FailMemberFailsEveryCallOfItWithTheDefaultInjectedFailure) {
    const Ref<Object> shape = newShape();
    sim.failMember("update");
    for (int i = 0; i < 2; ++i) {
        try {
            shape->call("Update");
            FAIL();
        } catch (const Error& e) {
            EXPECT_EQ(e.hresult(), static_cast<int32_t>(0x80004005u));
            EXPECT_EQ(e.description(), "Injected failure");
        }
    }
    EXPECT_EQ(part->shapes()[0]->updates, 0);
    sim.clearFaults();
    shape->call("Update");
    EXPECT_EQ(part->shapes()[0]->updates, 1);
}

TEST_F(SimHostTest, LibraryCreationAndMethodsCanBeMadeToFail) {
    sim.failMember("createRegistry");
    EXPECT_THROW(sim.library().createRegistry(), Error);
    EXPECT_EQ(sim.liveObjects(), 0);
    sim.clearFaults();
    Ref<host::HostVector> v = sim.library().createVector();
    sim.failCall(1);
    EXPECT_THROW(v->normalize(), Error);
    ASSERT_TRUE(sim.journal().back().error);
    EXPECT_EQ(sim.journal().back().member, "normalize");
}

TEST_F(SimHostTest, WithoutItsJournalTheHostStillCountsCallsAndFailsThem) {
    sim.keepJournal(false);
    const Ref<Object> shape = newShape();
    setValue(*variable(*component(*shape, 1), 3), Variant::r8(30));
    EXPECT_TRUE(sim.journal().empty());
    const uint64_t calls = sim.callCount();
    EXPECT_GT(calls, 0u);
    sim.failCall(2);
    EXPECT_NO_THROW(shape->call("ResetSizeBox"));
    EXPECT_THROW(shape->call("ResetSizeBox"), Error);
    EXPECT_EQ(sim.callCount(), calls + 2);
    EXPECT_TRUE(sim.journal().empty());

    sim.keepJournal(true);
    shape->call("ResetSizeBox");
    ASSERT_EQ(sim.journal().size(), 1u);
    EXPECT_EQ(sim.journal()[0].member, "ResetSizeBox");
}

TEST_F(SimHostTest, EachCallOfAFlowCanBeFailedInTurn) {
    auto flow = [&](SimHost& host) {
        const Ref<Object> body = component(*host.partObject(host.addPart("P")), doc::type::PartShapes);
        const Ref<Object> shape = body->callObject("Shapes", {val(Variant::i4(5))})->callObject("Add");
        setValue(*variable(*component(*shape, 1), 3), Variant::r8(30));
        shape->call("ResetSizeBox");
    };
    SimHost counting;
    flow(counting);
    const uint64_t calls = counting.callCount();
    ASSERT_EQ(calls, counting.journal().size());
    for (uint64_t k = 1; k <= calls; ++k) {
        SimHost host;
        host.failCall(k);
        EXPECT_THROW(flow(host), Error) << k;
        EXPECT_EQ(host.liveObjects(), 0) << k;
        ASSERT_TRUE(host.journal().back().error) << k;
        EXPECT_EQ(host.journal().size(), k);
    }
}

TEST_F(SimHostTest, LiveCountReturnsToZeroWhenEverythingIsReleased) {
    {
        const Ref<Object> shape = newShape();
        const Ref<Object> box = component(*shape, 1);
        Ref<host::HostVector> v = sim.library().createVector();
        Ref<host::HostSettingsStore> s = sim.library().createSettingsStore();
        const Ref<Object> hook = sim.makeDropHook(sim.addCircularEdge(part, {}, {0, 0, 1}, 2));
        EXPECT_EQ(sim.liveObjects(), 5);
    }
    EXPECT_EQ(sim.liveObjects(), 0);
}

TEST(SimHostLifetime, HandlesOutlivingTheirHostStayUsable) {
    Ref<Object> page;
    {
        SimHost sim;
        page = sim.page();
    }
    EXPECT_EQ(page->call("UnitsEx", {val(Variant::i4(2))}), Variant::i4(0));
}

}  // namespace
}  // namespace zelva::sim
