// Placing a pin by dropping the catalog item on a part, and editing a placed
// pin by double-clicking it: what each hit leads to, the hit data the drop
// keeps, the pin built or rebuilt when the user confirms, and failures of the
// host on the way.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/host/ComponentTypes.h"
#include "standin/sim/DocumentJson.h"
#include "standin/sim/ShapeGeometry.h"
#include "support/DialogFixture.h"
#include "support/FaultSweep.h"

using namespace zelva;
using namespace zelva::test;
using nlohmann::json;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class DropTest : public DialogFixture {
protected:
    // The module's hit data, to see whether a drop touched it.
    struct HitData {
        const host::HostVector* point;
        const host::HostVector* direction;
        double diameter;
        const Object* part;
        bool operator==(const HitData&) const = default;
    };
    HitData hitData() const {
        return {module.HitPoint.get(), module.HitDirection.get(), module.CurrentDiameter, module.TargetPart.get()};
    }

    bool journalHas(const std::string& member) const { return !callsOf({member}).empty(); }

    // The fault sweep over `flow`, run after `prepare`.
    void failEachHostCallOf(const std::function<void()>& prepare, const std::function<void()>& flow) {
        sweepHostFaults({.start = [&]() -> sim::SimHost& {
                             releaseModuleReferences(module);
                             host.clearFaults();
                             return host;
                         },
                         .prepare = prepare,
                         .flow = flow,
                         .release = [&] { releaseModuleReferences(module); },
                         .messagesShown = [&] { return ui.messages().size(); }});
    }
};

using EditTest = DropTest;

// ------------------------------------------------------------ drop

TEST_F(DropTest, PageNotInMillimetresGetsOneMessageAndNoForm) {
    setLanguage("Italian");
    host.setPageLengthUnits(1);
    host.clearJournal();
    drop(edgeOfRadius(5), {act::ok()});
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].prompt, "设计环境单位要设置成毫米才能使用这个工具.");
    EXPECT_EQ(ui.messages()[0].title, "自定义螺纹");
    EXPECT_EQ(ui.formsShown(), 0);
    EXPECT_FALSE(journalHas("HitElementType"));
    EXPECT_THAT(callsOf({"UnitsEx"}), ElementsAre("UnitsEx(I4 2) -> I4 1"));
    EXPECT_TRUE(plateShapes().empty());
    EXPECT_EQ(module.LanguageBase, 1000);
}

TEST_F(DropTest, LineEdgeShowsTheNoticeAndKeepsTheEarlierHit) {
    drop(edgeOfRadius(3));
    const HitData before = hitData();
    ASSERT_NE(before.point, nullptr);
    host.clearJournal();
    drop(host.addLineEdge(plate, {7, 7, 7}, {1, 0, 0}), {act::ok()});
    ASSERT_EQ(watch.seen.size(), 2u);
    EXPECT_EQ(watch.seen[1].form, "DlgInfo");
    EXPECT_EQ(hitData(), before);
    EXPECT_EQ(module.CurrentDiameter, 6);
    EXPECT_THAT(callsOf({"GeometryType"}), ElementsAre("GeometryType -> I2 1"));
    for (const char* member : {"PointX", "HitNormalX", "MajorRadius", "part", "ShapePath"})
        EXPECT_FALSE(journalHas(member)) << member;
}

TEST_F(DropTest, FaceShowsTheNoticeWithoutAskingForTheGeometry) {
    host.clearJournal();
    drop(host.addFace(plate, {0, 0, 0}, {0, 0, 1}));
    ASSERT_EQ(watch.seen.size(), 1u);
    EXPECT_EQ(watch.seen[0].form, "DlgInfo");
    EXPECT_THAT(callsOf({"HitElementType"}), ElementsAre("HitElementType -> I2 3"));
    EXPECT_FALSE(journalHas("HitElement"));
    EXPECT_FALSE(journalHas("GeometryType"));
    EXPECT_EQ(module.HitPoint, nullptr);
    EXPECT_EQ(module.CurrentDiameter, 0);
}

TEST_F(DropTest, CircularEdgeKeepsItsPointNormalDiameterAndPart) {
    drop(host.addCircularEdge(plate, {4, 5, 6}, {0, 3, 4}, 2.5));
    EXPECT_EQ(watch.seen.at(0).form, "Dialog");
    EXPECT_EQ(module.CurrentDiameter, 5.0);
    EXPECT_EQ(opened()["lblTxtDiam"], "5");
    EXPECT_EQ(module.HitPoint->x(), 4);
    EXPECT_EQ(module.HitPoint->y(), 5);
    EXPECT_EQ(module.HitPoint->z(), 6);
    EXPECT_DOUBLE_EQ(module.HitDirection->y(), 0.6);  // made unit length
    EXPECT_DOUBLE_EQ(module.HitDirection->z(), 0.8);
    EXPECT_THAT(callsOf({"part"}), ElementsAre("part(Bool False) -> Object Part"));
    EXPECT_EQ(module.EditMode, kFalse);
}

TEST_F(DropTest, AnEdgeDiameterBeyondTheDoubleRangeIsOverflowAndShowsNoForm) {
    drop(edgeOfRadius(2.5));
    EXPECT_EQ(errorNumber([&] { drop(edgeOfRadius(1e308)); }), err::Overflow);
    EXPECT_EQ(module.CurrentDiameter, 5.0) << "the earlier drop's diameter stays";
    EXPECT_EQ(watch.seen.size(), 1u);
}

TEST_F(DropTest, NormalIsAskedAtTheDepthOfTheHitShape) {
    for (int32_t depth : {1, 3}) {
        host.clearJournal();
        drop(host.addCircularEdge(plate, {0, 0, 0}, {0, 0, 1}, 5, depth));
        const std::string count = "Count -> I4 " + std::to_string(depth);
        const std::string arg = "(I4 " + std::to_string(depth) + ")";
        EXPECT_THAT(callsOf({"Count", "HitNormalX", "HitNormalY", "HitNormalZ"}),
                    ElementsAre(count, "HitNormalX" + arg + " -> R8 0", count, "HitNormalY" + arg + " -> R8 0",
                                count, "HitNormalZ" + arg + " -> R8 1"))
            << depth;
    }
}

TEST_F(DropTest, ConfirmedDropBuildsThePinAtTheHitAlongTheNormal) {
    drop(host.addCircularEdge(plate, {4, 5, 6}, {1, 0, 0}, 3),
         {act::length("30"), act::pitch("1.5"), act::chamfer(1), act::ok()});
    ASSERT_EQ(plateShapes().size(), 1u);
    const auto& pin = *plateShapes()[0];
    EXPECT_EQ(pinValues(pin), (PinValues{6, 30, 1.5, 1}));
    const auto placement = sim::placementOf(pin);
    EXPECT_DOUBLE_EQ(placement.position.x, 4);
    EXPECT_DOUBLE_EQ(placement.position.y, 5);
    EXPECT_DOUBLE_EQ(placement.position.z, 6);
    const auto axis = sim::worldAxis(pin);
    EXPECT_NEAR(axis.x, 1, 1e-12);
    EXPECT_NEAR(axis.y, 0, 1e-12);
    EXPECT_NEAR(axis.z, 0, 1e-12);
    EXPECT_TRUE(std::filesystem::exists(prefsFile()));
}

TEST_F(DropTest, DropAfterAnEditIsANewPinAgain) {
    writePrefs(crlfLines({" 1800 ", " 2400 ", " 1 ", "16", "2", " 0 "}));
    const auto pin = buildPin(10, 30, 1.5, 1);
    doubleClick(pin, {act::cancel()});
    ASSERT_EQ(module.EditMode, kTrue);
    int16_t editModeWhenShown = kTrue;
    watch.onShown = [&](const ui::Form&) { editModeWhenShown = module.EditMode; };
    drop(host.addLineEdge(plate, {0, 0, 0}, {0, 0, 1}));
    EXPECT_EQ(editModeWhenShown, kFalse);

    doubleClick(pin, {act::cancel()});
    drop(edgeOfRadius(4), {act::ok()});
    EXPECT_EQ(editModeWhenShown, kFalse);
    EXPECT_EQ(opened()["Lunghezza"]["text"], "16");  // from the preferences, not the pin
    EXPECT_EQ(opened()["top"], 1800);
    ASSERT_EQ(plateShapes().size(), 2u);
    EXPECT_EQ(pinValues(*plateShapes()[0]), (PinValues{10, 30, 1.5, 1}));
    EXPECT_EQ(pinValues(*plateShapes()[1]), (PinValues{8, 16, 2, 0}));
}

TEST_F(DropTest, FailingHostCallsEndTheDropCleanly) {
    const auto site = edgeOfRadius(5);
    failEachHostCallOf([] {}, [&] { drop(site, {act::tab(1), act::standard(1), act::ok()}); });
}

// ------------------------------------------------------------ double-click

TEST_F(EditTest, DialogShowsThePinsValuesWithoutTouchingThePreferences) {
    const std::string prefs = crlfLines({" 2222 ", " 3333 ", " 1 "});  // too short: reading it would complain
    writePrefs(prefs);
    const auto pin = buildPin(12, 35, 1.75, 1);
    doubleClick(pin, {act::ok()});
    ASSERT_EQ(watch.seen.size(), 1u);
    const json& d = opened();
    EXPECT_EQ(d["Passo"]["text"], "1.75");
    EXPECT_EQ(d["Lunghezza"]["text"], "35");
    EXPECT_EQ(d["ToggleSmusso"], 1);
    EXPECT_EQ(d["lblTxtDiam"], "12");
    EXPECT_EQ(d["top"], 1500);
    EXPECT_EQ(d["tab"], 0);
    EXPECT_THAT(ui.messages(), IsEmpty());
    EXPECT_EQ(readPrefs(), prefs);
    EXPECT_EQ(module.CurrentDiameter, 12);
}

TEST_F(EditTest, CancelChangesNothing) {
    const auto pin = buildPin(10, 30, 1.5, 1);
    const json before = sim::documentJson(host);
    doubleClick(pin, {act::length("80"), act::manual(1), act::diameter("20"), act::cancel()});
    EXPECT_FALSE(watch.seen.back().byOk);
    EXPECT_EQ(sim::documentJson(host), before);
    EXPECT_EQ(module.EditMode, kTrue);
    EXPECT_FALSE(std::filesystem::exists(prefsFile()));
}

TEST_F(EditTest, OkRebuildsThePinInPlace) {
    dropStateAt({1, 2, 3}, {0, 1, 0});
    const auto pin = buildPin(10, 30, 1.5, 1);
    const json before = sim::documentJson(host);
    doubleClick(pin, {act::ok()});
    EXPECT_TRUE(watch.seen.back().byOk);
    EXPECT_EQ(plateShapes().size(), 1u);
    EXPECT_EQ(pinValues(*pin), (PinValues{10, 30, 1.5, 1}));
    EXPECT_EQ(sim::profileCircles(*pin).size(), 1u);
    EXPECT_EQ(pin->components.of(host::types::PartData).size(), 1u);
    EXPECT_EQ(*pin->components.first(host::types::Body)->variable({std::nullopt, 23}), Variant::r8(0.75));
    EXPECT_EQ(sim::documentJson(host), before);  // place and orientation included
    EXPECT_FALSE(std::filesystem::exists(prefsFile()));
}

TEST_F(EditTest, NewLengthChangesOnlyWhatDependsOnIt) {
    dropStateAt({1, 2, 3}, {1, 0, 0});
    const auto pin = buildPin(10, 30, 1.5, 1);
    const json before = sim::documentJson(host);
    doubleClick(pin, {act::length("45"), act::ok()});
    EXPECT_EQ(pinValues(*pin), (PinValues{10, 45, 1.5, 1}));
    std::vector<std::string> changed;
    for (const auto& op : json::diff(before, sim::documentJson(host))) changed.push_back(op["path"]);
    // The size box's length, and the texture's extent along the pin.
    EXPECT_THAT(changed, ElementsAre("/parts/0/shapes/0/components/0/variables/2/value",
                                     "/parts/0/shapes/0/components/6/texture/SurfaceFinish/2/value"));
    EXPECT_FALSE(std::filesystem::exists(prefsFile()));
}

TEST_F(EditTest, EachRebuildGoesToThePinDoubleClickedLast) {
    const auto first = buildPin(10, 30, 1.5, 1);
    const auto second = buildPin(8, 20, 1.25, 0);
    doubleClick(first, {act::cancel()});
    doubleClick(second, {act::length("50"), act::ok()});
    doubleClick(first, {act::pitch("2"), act::chamfer(0), act::ok()});
    EXPECT_EQ(pinValues(*first), (PinValues{10, 30, 2, 0}));
    EXPECT_EQ(pinValues(*second), (PinValues{8, 50, 1.25, 0}));
}

TEST_F(EditTest, ClickPositionMakesNoDifference) {
    const auto pin = buildPin(10, 30, 1.5, 1);
    const auto editAt = [&](int32_t x, int32_t y) {
        host.clearJournal();
        doubleClick(pin, {act::ok()}, x, y);
        return std::make_pair(contract(), sim::documentJson(host));
    };
    const auto atOrigin = editAt(0, 0);
    EXPECT_EQ(editAt(123, -45), atOrigin);
    EXPECT_EQ(editAt(INT32_MAX, INT32_MIN), atOrigin);
}

TEST_F(EditTest, FailingHostCallsEndTheEditCleanly) {
    std::shared_ptr<sim::doc::Shape> pin;
    failEachHostCallOf([&] { pin = buildPin(10, 30, 1.5, 1); },
                       [&] { doubleClick(pin, {act::tab(2), act::length("40"), act::ok()}); });
}

}  // namespace
