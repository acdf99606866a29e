// The late-bound addressing helpers: each call with the argument types the host
// states, an unset object as error 91, and a component reused once it exists.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/automation/Error.h"
#include "core/host/ComponentTypes.h"
#include "core/host/HostCalls.h"
#include "core/host/VariableNumbers.h"
#include "standin/sim/Journal.h"
#include "standin/sim/SimHost.h"
#include "support/ErrorNumber.h"

using namespace zelva;
using namespace zelva::host;
using test::errorNumber;
using ::testing::ElementsAre;

namespace {

class HostCallsTest : public ::testing::Test {
protected:
    HostCallsTest() {
        const Ref<Object> body = component(*sim.partObject(sim.addPart("Base")), types::PartShapes);
        shape = body->callObject("Shapes", {val(Variant::i4(5))})->callObject("Add");
        sim.clearJournal();
    }

    std::vector<std::string> journal() const {
        std::vector<std::string> lines;
        for (const auto& e : sim.journal()) lines.push_back(sim::renderEntry(e));
        return lines;
    }

    sim::SimHost sim;
    Ref<Object> shape;
};

}  // namespace

TEST_F(HostCallsTest, AddressAVariableWithTheTypesTheHostStates) {
    setValue(*variable(*component(*shape, types::SizeBox), vars::size_box::Length), Variant::r8(30));
    const Ref<Object> data = components(*shape, types::PartData)->callObject("Add");
    EXPECT_TRUE(valueOf(*variable(*data, vars::part_data::NumberField, vars::part_data::Pitch)).isEmpty());
    const auto lines = journal();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_THAT(lines[0], ::testing::HasSubstr(".Components(I4 1) -> "));
    EXPECT_THAT(lines[1], ::testing::HasSubstr(".Item(I2 1) -> "));
    EXPECT_THAT(lines[2], ::testing::HasSubstr(".Variable(I4 3) -> "));
    EXPECT_THAT(lines[3], ::testing::HasSubstr(".Value = R8 30"));
    EXPECT_THAT(lines[6], ::testing::HasSubstr(".Variable(I4 1, I2 12) -> "));
}

TEST_F(HostCallsTest, ComponentOrNewAddsOnlyWhileTheShapeHasNone) {
    const Ref<Object> first = componentOrNew(*shape, types::ClassRecord);
    const Ref<Object> again = componentOrNew(*shape, types::ClassRecord);
    EXPECT_EQ(countOf(*components(*shape, types::ClassRecord)), 1);
    std::vector<std::string> members;
    for (const auto& e : sim.journal()) members.push_back(e.member);
    EXPECT_THAT(members, ElementsAre("Components", "Count", "Components", "Add", "Components", "Count", "Components",
                                     "Item", "Components", "Count"));
}

TEST_F(HostCallsTest, AnUnsetObjectIsErrorNinetyOneAndAMissingComponentTheHostsError) {
    const Ref<Object> nothing;
    EXPECT_EQ(errorNumber([&] { deref(nothing); }), err::ObjectNotSet);
    EXPECT_EQ(errorNumber([&] { component(*shape, types::PartData); }), err::SubscriptOutOfRange);
}
