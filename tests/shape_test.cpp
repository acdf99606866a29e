// The pin as an automation class: its properties, the geometry it builds in a
// host shape (the exact host contract), its part data and its drawing answers.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>

#include "core/automation/Error.h"
#include "core/shape/ComponentVariables.h"
#include "core/host/HostCalls.h"
#include "core/shape/ClassIds.h"
#include "core/shape/PShapeMembers.h"
#include "core/shape/ProjectionFlags.h"
#include "standin/sim/ShapeGeometry.h"
#include "support/ComponentFixture.h"

using namespace zelva;
using test::ComponentFixture;
using test::errorNumber;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

using PinTest = ComponentFixture;

const Variant* variableOf(const sim::doc::Shape& s, int32_t type, sim::doc::VariableKey key) {
    const auto* c = s.components.first(type);
    return c ? c->variable(key) : nullptr;
}

}  // namespace

TEST_F(PinTest, NewInstanceStartsEmpty) {
    const auto s = newPShape();
    EXPECT_EQ(s->Diametro(), 0);
    EXPECT_EQ(s->Lunghezza(), 0);
    EXPECT_EQ(s->Passo(), 0);
    EXPECT_EQ(s->Smusso(), 0);
    EXPECT_EQ(s->TransferToDrawingFlags(), 0);
    EXPECT_EQ(s->ThreadCallout(), "");
}

TEST_F(PinTest, ChamferRoundsHalfToEvenAndKeepsItsValueOnOverflow) {
    const auto s = newPShape();
    const auto put = [&](double v) {
        s->put("Smusso", {val(Variant::r8(v))});
        return toDouble(s->get("Smusso"));
    };
    EXPECT_EQ(put(1), 1.0);
    EXPECT_EQ(put(0.5), 0.0);
    EXPECT_EQ(put(1.5), 2.0);
    EXPECT_EQ(put(2.5), 2.0);
    EXPECT_EQ(put(-0.5), 0.0);
    put(3);
    EXPECT_EQ(errorNumber([&] { put(40000); }), err::Overflow);
    EXPECT_EQ(s->Smusso(), 3.0);
    s->put("Diametro", {val(Variant::r8(-3))});
    EXPECT_EQ(toDouble(s->get("diametro")), -3);
    EXPECT_EQ(errorNumber([&] { s->put("Lunghezza", {val(Variant::str("abc"))}); }), err::TypeMismatch);
}

TEST(ProjectionFlags, KeepOnlyTheTwoLowBits) {
    const int32_t in[] = {0, 1, 2, 3, 4, 7, -1, 6};
    const int32_t out[] = {0, 1, 2, 3, 0, 3, 3, 2};
    for (size_t i = 0; i < std::size(in); ++i) EXPECT_EQ(shape::GetProjectionFlags(in[i]), out[i]) << in[i];
}

TEST(PShapeMembers, LateBindingReachesEveryRowInAnyLetterCase) {
    for (const shape::PShapeMember& row : shape::pshapeMembers()) {
        std::string upper(row.name);
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(shape::findPShapeMember(upper, row.kind), &row) << row.name;
        // A property's get half, or a method, answers a method call too.
        if (row.kind != CallKind::Put) {
            EXPECT_EQ(shape::findPShapeMember(row.name, CallKind::Method), &row);
        }
    }
    for (const char* name : {"Create", "IC2DProjectedThreads_Callout"})
        EXPECT_EQ(shape::findPShapeMember(name, CallKind::Put), nullptr) << name;
    for (const char* name : {"", "Diametr", "Diametroo", "ZZZ"})
        EXPECT_EQ(shape::findPShapeMember(name, CallKind::Get), nullptr) << name;
}

TEST_F(PinTest, LateBoundCallsCheckTheMembersArgumentCount) {
    const auto s = newPShape();
    EXPECT_EQ(errorNumber([&] { s->put("Create", {val(Variant::i2(0))}); }), err::MemberNotSupported);
    EXPECT_EQ(errorNumber([&] { s->get("Diametro", {val(Variant::i2(0))}); }), err::WrongArgumentCount);
    EXPECT_EQ(errorNumber([&] { s->call("IC2DProjectedThreads_GetDiameters"); }), err::WrongArgumentCount);
    s->put("PASSO", {val(Variant::r8(1.25))});
    EXPECT_EQ(s->get("passo"), Variant::r8(1.25));
}

// Rebuilding an existing pin: every write with its type, in order, the
// existing texture, class record and part data reused.
TEST_F(PinTest, RebuildFollowsTheHostContractCallByCall) {
    dropStateAt({1, 2, 3}, {0, 0, 1});
    buildPin(10, 30, 1.5, 1);
    const auto s = newPShape();
    s->setDiametro(10);
    s->setLunghezza(30);
    s->setPasso(1.5);
    s->setSmusso(1);
    Ref<Object> shape = shapeObject(plate->shapes().back());
    shape::RemoveProfileComponents(*shape);
    host.clearJournal();
    s->createInPart(shape);
    const std::vector<std::string> expected = {
        R"(Shape.Name = Str "自定义螺纹")",
        R"(Shape.Components(I4 1) -> Object Components(1))",
        R"(Components(1).Item(I2 1) -> Object Component(1))",
        R"(Component(1).Variable(I4 1) -> Object Variable(1))",
        R"(Variable(1).Value = R8 5)",
        R"(Component(1).Variable(I4 2) -> Object Variable(2))",
        R"(Variable(2).Value = R8 5)",
        R"(Component(1).Variable(I4 3) -> Object Variable(3))",
        R"(Variable(3).Value = R8 30)",
        R"(Component(1).Variable(I4 4) -> Object Variable(4))",
        R"(Variable(4).Value = I2 1)",
        R"(Component(1).Variable(I4 5) -> Object Variable(5))",
        R"(Variable(5).Value = I2 1)",
        R"(Component(1).Variable(I4 6) -> Object Variable(6))",
        R"(Variable(6).Value = I2 1)",
        R"(Component(1).Variable(I4 14) -> Object Variable(14))",
        R"(Variable(14).Value = I4 3)",
        R"(Component(1).Variable(I4 7) -> Object Variable(7))",
        R"(Variable(7).Value = I4 1)",
        R"(Shape.Components(I4 15) -> Object Components(15))",
        R"(Components(15).Item(I2 1) -> Object Component(15))",
        R"(Component(15).Profile -> Object Profile)",
        R"(Profile.Components(I4 3) -> Object Components(3))",
        R"(Components(3).Add() -> Object Component(3))",
        R"(Component(3).SetStartPoint(I2 0, I2 0))",
        R"(Component(3).AddEllipse(I2 0, I2 0, R8 5))",
        R"(HostLibrary.createUnitConverter() -> Object UnitConverter)",
        R"(UnitConverter.convert(ref Object Page, ref R8 5, ref I4 7, ref I4 2, ref R8 0))",
        R"(HostLibrary.createUnitConverter() -> Object UnitConverter)",
        R"(UnitConverter.convert(ref Object Page, ref R8 15, ref I4 7, ref I4 2, ref R8 0))",
        R"(Shape.Components(I4 14) -> Object Components(14))",
        R"(Components(14).Item(I2 1) -> Object Component(14))",
        R"(Component(14).Variable(I4 62) -> Object Variable(62))",
        R"(Variable(62).Value = I4 0)",
        R"(Component(14).Variable(I4 47) -> Object Variable(47))",
        R"(Variable(47).Value = R8 -0.01)",
        R"(HostLibrary.createRegistry() -> Object HostRegistry)",
        R"(HostRegistry.readString(ref I4 2, ref Str "SOFTWARE\Ombrivale\Tessalo", ref Str "ApplDir", ref Str "", ref I4 0))",
        R"(HostLibrary.createRegistry() -> Object HostRegistry)",
        R"(HostRegistry.fileExists(ref Str "<ApplDir>\Images\3iaoftt.jpg", ref I2 0))",
        R"(Shape.Components(I4 27) -> Object Components(27))",
        R"(Components(27).Count -> I4 1)",
        R"(Shape.Components(I4 27) -> Object Components(27))",
        R"(Components(27).Item(I2 1) -> Object Component(27))",
        R"(Shape.GetNormal(ref R8 0, ref R8 0, ref R8 0))",
        R"(Shape.Update())",
        R"(Component(27).SurfaceFinish(ref R8 0.005, ref R8 0.005, ref R8 0.015, I2 -1, I2 -1, I2 0) -> Object Texture)",
        R"(Texture.TextureFile = Str "<ApplDir>\Images\3iaoftt.jpg")",
        R"(Texture.ProjectionType(I2 1) = I4 3)",
        R"(Texture.VerticalRatio(I2 1) = I2 1)",
        R"(Texture.HorizontalRatio(I2 1) = I2 1)",
        R"(Texture.ProjectionWidth(I2 1) = R8 31.4159265358979)",
        R"(HostLibrary.createUnitConverter() -> Object UnitConverter)",
        R"(UnitConverter.convert(ref Object Page, ref R8 0.3690944881889764, ref I4 4, ref I4 7, ref R8 0))",
        R"(Texture.ProjectionHeight(I2 1) = R8 9.375)",
        R"(Texture.SetUpDirection(I2 1, ref R8 0, ref R8 0, ref R8 1))",
        R"(Texture.Flip(I2 1) = Bool True)",
        R"(Shape.Components(I4 1) -> Object Components(1))",
        R"(Components(1).Item(I2 1) -> Object Component(1))",
        R"(Component(1).Variable(I4 6) -> Object Variable(6))",
        R"(Variable(6).Value = I2 0)",
        R"(Component(1).Variable(I4 14) -> Object Variable(14))",
        R"(Variable(14).Value = I4 2)",
        R"(Shape.Update())",
        R"(Shape.ResetSizeBox())",
        R"(Component(14).Variable(I4 23) -> Object Variable(23))",
        R"(Variable(23).Value = R8 0.75)",
        R"(Component(14).Variable(I4 24) -> Object Variable(24))",
        R"(Variable(24).Value = R8 0.75)",
        R"(HostLibrary.createClassRegistry() -> Object HostClassRegistry)",
        R"(HostClassRegistry.classIdOf(ref Str "Zelvacorin.PShape", ref I4 0, ref Str ""))",
        R"(Shape.Components(I4 25) -> Object Components(25))",
        R"(Components(25).Count -> I4 1)",
        R"(Shape.Components(I4 25) -> Object Components(25))",
        R"(Components(25).Item(I2 1) -> Object Component(25))",
        R"(Component(25).Variable(I4 3) -> Object Variable(3))",
        R"(Variable(3).Value = I4 5)",
        R"(Shape.Components(I4 43) -> Object Components(43))",
        R"(Components(43).Count -> I4 1)",
        R"(Shape.Components(I4 43) -> Object Components(43))",
        R"(Components(43).Item(I2 1) -> Object Component(43))",
        R"(Component(43).Variable(I4 1) -> Object Variable(1))",
        R"(Variable(1).Value = Str "{DE33A837-FD95-11D4-85CB-00E08110F9CF}")",
        R"(Shape.Components(I4 34) -> Object Components(34))",
        R"(Components(34).Count -> I4 1)",
        R"(Shape.Components(I4 34) -> Object Components(34))",
        R"(Components(34).Item(I2 1) -> Object Component(34))",
        R"(Component(34).Variable(I4 2, I2 0) -> Object Variable(2,0))",
        R"(Variable(2,0).Value = Str "Tessalo")",
        R"(Component(34).Variable(I4 2, I2 1) -> Object Variable(2,1))",
        R"(Variable(2,1).Value = Str "Zelvacorin")",
        R"(Component(34).Variable(I4 1, I2 6) -> Object Variable(1,6))",
        R"(Variable(1,6).Value = I2 1)",
        R"(Component(34).Variable(I4 1, I2 12) -> Object Variable(1,12))",
        R"(Variable(1,12).Value = R8 1.5)",
        R"(Component(34).Variable(I4 1, I2 13) -> Object Variable(1,13))",
        R"(Variable(1,13).Value = I2 1)",
        R"(Shape.Update())",
        R"(Page.Update())",
    };
    EXPECT_THAT(contract(), ElementsAreArray(expected));
}

TEST_F(PinTest, NewPinStandsOnTheHitPointWithItsAxisAlongTheNormal) {
    dropStateAt({4, 5, 6}, {0, 0, 1});
    const auto pin = buildPin(10, 30, 1.5, 1);
    const auto placement = sim::placementOf(*pin);
    EXPECT_DOUBLE_EQ(placement.position.x, 4);
    EXPECT_DOUBLE_EQ(placement.position.z, 6);
    EXPECT_EQ(*variableOf(*pin, 4, {std::nullopt, 4}), Variant::r8(1));  // identity rotation w
    for (int32_t n = 1; n <= 7; ++n) EXPECT_EQ(*variableOf(*pin, 5, {std::nullopt, n}), Variant::r8(0)) << n;

    dropStateAt({0, 0, 0}, {1, 0, 0});
    const auto tilted = buildPin(10, 30, 1.5, 1);
    const auto axis = sim::worldAxis(*tilted);
    EXPECT_NEAR(axis.x, 1, 1e-12);
    EXPECT_NEAR(axis.z, 0, 1e-12);
}

TEST_F(PinTest, BuildWritesSizeCircleChamferClassAndName) {
    const auto pin = buildPin(10, 30, 1.5, 1);
    EXPECT_EQ(pin->name, "自定义螺纹");
    EXPECT_EQ(*variableOf(*pin, 1, {std::nullopt, 2}), Variant::r8(10));  // fitted to the circle
    EXPECT_EQ(*variableOf(*pin, 1, {std::nullopt, 3}), Variant::r8(30));
    const auto circles = sim::profileCircles(*pin);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].r, 5);
    EXPECT_EQ(*variableOf(*pin, 14, {std::nullopt, 23}), Variant::r8(0.75));
    EXPECT_EQ(*variableOf(*pin, 14, {std::nullopt, 24}), Variant::r8(0.75));
    EXPECT_EQ(*variableOf(*pin, 43, {std::nullopt, 1}), Variant::str(shape::kPShapeClassId));

    const auto twice = buildPin(10, 30, 1.5, 2);
    EXPECT_EQ(*variableOf(*twice, 14, {std::nullopt, 23}), Variant::r8(0.75));
    const auto none = buildPin(10, 30, 1.5, 0);
    EXPECT_EQ(*variableOf(*none, 14, {std::nullopt, 23}), Variant::i2(0));
    EXPECT_EQ(*variableOf(*none, 14, {std::nullopt, 24}), Variant::i2(0));
}

TEST_F(PinTest, NameFollowsTheLanguageAndOddSizesPassUnchecked) {
    dropStateAt({0, 0, 0}, {0, 0, 1});
    module.LanguageBase = 3000;
    const auto pin = buildPin(-4, 0, 0, 0);
    EXPECT_EQ(pin->name, "自定义螺纹");
    EXPECT_THAT(callsOf({"AddEllipse"}), ElementsAre("AddEllipse(I2 0, I2 0, R8 -2)"));
}

TEST_F(PinTest, SecondBuildReusesRecordsAndKeepsOneCircle) {
    const auto pin = buildPin(10, 30, 1.5, 1);
    Ref<Object> shape = shapeObject(pin);
    shape::RemoveProfileComponents(*shape);
    const auto s = newPShape();
    s->setDiametro(12);
    s->setLunghezza(40);
    s->setPasso(1.75);
    s->createInPart(shape);
    for (int32_t type : {25, 27, 34, 43}) EXPECT_EQ(pin->components.byType.at(type).size(), 1u) << type;
    ASSERT_EQ(sim::profileCircles(*pin).size(), 1u);
    EXPECT_EQ(sim::profileCircles(*pin)[0].r, 6);
    EXPECT_EQ(*variableOf(*pin, 34, {1, 12}), Variant::r8(1.75));
    EXPECT_EQ(*variableOf(*pin, 1, {std::nullopt, 3}), Variant::r8(40));
}

TEST_F(PinTest, PartDataHoldsTagsPitchAndChamferInOrder) {
    const auto pin = buildPin(10, 30, 1.25, 1);
    EXPECT_EQ(*variableOf(*pin, 34, {2, 0}), Variant::str("Tessalo"));
    EXPECT_EQ(*variableOf(*pin, 34, {2, 1}), Variant::str("Zelvacorin"));
    EXPECT_EQ(*variableOf(*pin, 34, {1, 6}), Variant::i2(1));
    EXPECT_EQ(*variableOf(*pin, 34, {1, 12}), Variant::r8(1.25));
    EXPECT_EQ(*variableOf(*pin, 34, {1, 13}), Variant::i2(1));
}

TEST_F(PinTest, PartDataFillsTheDialogRoundedToTheHostPrecision) {
    const auto pin = buildPin(10, 12.5, 0.75, 1);
    Ref<Object> shape = shapeObject(pin);
    const auto reader = newPShape();
    reader->GetPartData(shape);
    ui::Dialog& d = module.dialog();
    EXPECT_EQ(d.Passo.text(), ".75");
    EXPECT_EQ(d.Lunghezza.text(), "12.5");
    EXPECT_EQ(d.ToggleSmusso.value(), 1);
    EXPECT_EQ(module.CurrentDiameter, 10);
    EXPECT_EQ(reader->Diametro(), 10);

    host.setDialogPrecision(0);
    reader->GetPartData(shape);
    EXPECT_EQ(d.Lunghezza.text(), "12");
    const auto longer = buildPin(10, 13.5, 2, 0);
    Ref<Object> longerShape = shapeObject(longer);
    reader->GetPartData(longerShape);
    EXPECT_EQ(d.Lunghezza.text(), "14");
    EXPECT_EQ(d.Passo.text(), "2");
}

TEST_F(PinTest, PartDataReadersTakeTheLengthThenTheDiameterThenTheRecord) {
    const auto pin = buildPin(10, 30, 1.5, 1);
    Ref<Object> shape = shapeObject(pin);
    const char* length = "Variable(I4 3) -> Object Variable(3)";
    const char* diameter = "Variable(I4 2) -> Object Variable(2)";
    const char* pitch = "Variable(I4 1, I2 12) -> Object Variable(1,12)";
    host.clearJournal();
    newPShape()->GetPartData(shape);
    EXPECT_THAT(callsOf({"Variable"}),
                ElementsAre(length, diameter, pitch, "Variable(I4 1, I2 13) -> Object Variable(1,13)"));
    host.clearJournal();
    newPShape()->Initialize(shape);
    EXPECT_THAT(callsOf({"Variable"}), ElementsAre(length, diameter, pitch));
}

TEST_F(PinTest, PartDataReadersFailCleanlyOnBadRecords) {
    const auto pin = buildPin(10, 30, 1.5, 1);
    Ref<Object> shape = shapeObject(pin);
    auto& data = *pin->components.first(34);
    ui::Dialog& d = module.dialog();
    d.Passo.setText("before");

    data.variables[{1, 12}] = Variant::str("abc");
    EXPECT_EQ(errorNumber([&] { newPShape()->GetPartData(shape); }), err::TypeMismatch);
    EXPECT_EQ(d.Passo.text(), "before");
    EXPECT_EQ(errorNumber([&] { newPShape()->Initialize(shape); }), err::TypeMismatch);

    data.variables[{1, 12}] = Variant::r8(2);
    data.variables[{1, 13}] = Variant::i2(3);
    EXPECT_EQ(errorNumber([&] { newPShape()->GetPartData(shape); }), err::InvalidPropertyValue);
    EXPECT_EQ(d.Passo.text(), "2");

    pin->components.first(1)->variables[{std::nullopt, 3}] = Variant::str("long");
    EXPECT_EQ(errorNumber([&] { newPShape()->GetPartData(shape); }), err::TypeMismatch);
}

TEST_F(PinTest, ShapeWithoutPartDataLeavesTheDialogAlone) {
    const auto pin = buildPin(10, 30, 1.5, 1);
    pin->components.byType.erase(34);
    Ref<Object> shape = shapeObject(pin);
    module.CurrentDiameter = 7;
    const auto reader = newPShape();
    reader->GetPartData(shape);
    EXPECT_EQ(module.dialog().Lunghezza.text(), "Lunghezza");
    EXPECT_EQ(module.CurrentDiameter, 7);
    EXPECT_EQ(reader->Lunghezza(), 30);

    const auto view = newPShape();
    view->setTransferToDrawingFlags(6);
    view->setPasso(9);
    EXPECT_EQ(view->Initialize(shape), kFalse);
    EXPECT_EQ(view->TransferToDrawingFlags(), 0);
    EXPECT_EQ(view->ProjectionFlags(), 0);
    EXPECT_EQ(view->Passo(), 9);
}

TEST_F(PinTest, InitializeRefusesNoShapeAndPartShapes) {
    const auto view = newPShape();
    view->setTransferToDrawingFlags(7);
    Ref<Object> none;
    EXPECT_EQ(view->Initialize(none), kFalse);
    Ref<Object> part = host.partObject(plate);
    EXPECT_EQ(view->Initialize(part), kFalse);
    EXPECT_EQ(view->TransferToDrawingFlags(), 7);
    EXPECT_EQ(view->ProjectionFlags(), 3);
}

TEST_F(PinTest, DrawingAnswersComeFromTheShape) {
    Ref<Object> shape = shapeObject(buildPin(10, 30, 1.5, 1));
    const auto view = newPShape();
    Variant target = Variant::object(shape);
    std::vector<Variant> out(8, Variant::r8(-7));
    Variant hole = Variant::boolean(true), taper = Variant::boolean(true);
    std::vector<Arg> args{ref(target)};
    for (auto& v : out) args.push_back(ref(v));
    args.push_back(ref(hole));
    args.push_back(ref(taper));
    EXPECT_EQ(view->invoke("ic2dprojectedthreads_getprojectedthreadinformation", CallKind::Method, args), Variant::boolean(true));
    EXPECT_THAT(out, ElementsAre(Variant::r8(8.5), Variant::r8(10), Variant::r8(0), Variant::r8(30), Variant::r8(0),
                                 Variant::r8(0), Variant::r8(0), Variant::r8(1)));
    EXPECT_EQ(hole, Variant::boolean(false));
    EXPECT_EQ(taper, Variant::boolean(false));
    EXPECT_EQ(view->get("IC2DProjectedThreads_ProjectionFlags"), Variant::i4(1));
    EXPECT_EQ(view->get("IC2DProjectedThreads_HoleInformationFlags"), Variant::i4(0));
}

TEST_F(PinTest, NonPinProjectionAndHoleQueriesWriteNothing) {
    const auto view = newPShape();
    Variant target = Variant::object(host.partObject(plate));
    std::vector<Variant> out(10, Variant::i4(42));
    std::vector<Arg> args{ref(target)};
    for (auto& v : out) args.push_back(ref(v));
    EXPECT_EQ(view->invoke("IC2DProjectedThreads_GetProjectedThreadInformation", CallKind::Method, args), Variant::boolean(false));
    for (const auto& v : out) EXPECT_EQ(v, Variant::i4(42));

    std::vector<Arg> hole{val(Variant::boolean(true))};
    for (size_t i = 0; i < 7; ++i) hole.push_back(ref(out[i]));
    EXPECT_EQ(view->invoke("IC2DProjectedThreads_GetHoleInformation", CallKind::Method, hole), Variant::boolean(false));
    for (const auto& v : out) EXPECT_EQ(v, Variant::i4(42));
}

TEST_F(PinTest, DrawingLengthsPassThroughTheConverter) {
    module.CurrentPage = host.page();
    const auto view = newPShape();
    view->setDiametro(10);
    view->setPasso(1.5);
    view->setLunghezza(20);
    Variant inner = Variant::r8(0), outer = inner, length = inner, offset = Variant::r8(-1);
    host.clearJournal();
    view->call("IC2DProjectedThreads_GetDiameters", {ref(inner), ref(outer)});
    view->call("IC2DProjectedThreads_GetPositionInformation", {ref(length), ref(offset)});
    EXPECT_EQ(outer, Variant::r8(10));
    EXPECT_EQ(inner, Variant::r8(8.5));
    EXPECT_EQ(length, Variant::r8(20));
    EXPECT_EQ(offset, Variant::r8(0));
    EXPECT_THAT(callsOf({"convert"}),
                ElementsAre("convert(ref Object Page, ref R8 10, ref I4 1, ref I4 11, ref R8 0)",
                            "convert(ref Object Page, ref R8 8.5, ref I4 1, ref I4 11, ref R8 0)",
                            "convert(ref Object Page, ref R8 20, ref I4 1, ref I4 11, ref R8 0)",
                            "convert(ref Object Page, ref R8 0, ref I4 1, ref I4 11, ref R8 0)"));
    EXPECT_EQ(callsOf({"createUnitConverter"}).size(), 4u);
    Variant x = Variant::r8(5), y = x, z = x;
    view->call("IC2DProjectedThreads_GetThreadDirection", {ref(x), ref(y), ref(z)});
    EXPECT_EQ(std::vector<Variant>({x, y, z}), std::vector<Variant>({Variant::r8(0), Variant::r8(0), Variant::r8(1)}));

    module.CurrentPage.reset();
    EXPECT_EQ(errorNumber([&] { view->call("IC2DProjectedThreads_GetDiameters", {ref(inner), ref(outer)}); }),
              err::ObjectNotSet);
}

TEST_F(PinTest, AnInnerDiameterBeyondTheDoubleRangeIsOverflowAfterTheOuterOne) {
    module.CurrentPage = host.page();
    const auto view = newPShape();
    view->setDiametro(1e308);
    view->setPasso(-1e308);
    // The outer diameter is written even though it equals the text the variable held.
    Variant inner = Variant::i4(42), outer = Variant::str("1e308");
    host.clearJournal();
    EXPECT_EQ(errorNumber([&] { view->call("IC2DProjectedThreads_GetDiameters", {ref(inner), ref(outer)}); }),
              err::Overflow);
    EXPECT_EQ(outer, Variant::r8(1e308));
    EXPECT_EQ(inner, Variant::i4(42));
    EXPECT_EQ(callsOf({"convert"}).size(), 1u) << "nothing is converted after the overflow";

    view->setPasso(1e308);
    EXPECT_EQ(view->call("IC2DProjectedThreads_GetDiameters", {ref(inner), ref(outer)}), Variant::boolean(true));
    EXPECT_EQ(inner, Variant::r8(0)) << "a difference in range is a number like any other";
}

TEST_F(PinTest, CreatePlacesTheShapeThroughTheHostLibraryInOrder) {
    dropStateAt({1, 2, 3}, {0, 0, 1});
    host.clearJournal();
    buildPin(10, 30, 1.5, 1);
    std::vector<std::string> placement;
    for (const auto& line : contract()) {
        if (line.rfind("Shape.Name", 0) == 0) break;  // the build itself starts here
        placement.push_back(line);
    }
    const std::vector<std::string> expected = {
        R"(HostLibrary.createPlacement() -> Object HostPlacement)",
        R"(HostLibrary.createVector() -> Object HostVector)",
        R"(HostVector.setXYZ(ref R8 0, ref R8 0, ref R8 1))",
        R"(HostLibrary.createVector() -> Object HostVector)",
        R"(HostVector.setXYZ(ref R8 0, ref R8 0, ref R8 0))",
        R"(HostLibrary.createTransform() -> Object HostTransform)",
        R"(HostTransform.setFrames(ref Object HostVector, ref Object HostVector, ref Object HostVector, ref Object HostVector))",
        R"(HostTransform.rotation(ref R8 0, ref R8 0, ref R8 0, ref R8 0))",
        R"(HostPlacement.setRotation(I4 1, R8 1))",
        R"(HostPlacement.setRotation(I4 2, R8 0))",
        R"(HostPlacement.setRotation(I4 3, R8 0))",
        R"(HostPlacement.setRotation(I4 4, R8 0))",
        R"(HostVector.x() -> R8 1)",
        R"(HostPlacement.setX(R8 1))",
        R"(HostVector.y() -> R8 2)",
        R"(HostPlacement.setY(R8 2))",
        R"(HostVector.z() -> R8 3)",
        R"(HostPlacement.setZ(R8 3))",
        R"(Part.Components(I4 23) -> Object Components(23))",
        R"(Components(23).Item(I2 1) -> Object Component(23))",
        R"(Component(23).Shapes(I4 5) -> Object Shapes(5))",
        R"(Shapes(5).Add() -> Object Shape)",
        R"(Shape.Components(I4 5) -> Object Components(5))",
        R"(Components(5).Item(I2 1) -> Object Component(5))",
        R"(Component(5).Variable(I4 4) -> Object Variable(4))",
        R"(Variable(4).Value = R8 0)",
        R"(Component(5).Variable(I4 5) -> Object Variable(5))",
        R"(Variable(5).Value = R8 0)",
        R"(Component(5).Variable(I4 6) -> Object Variable(6))",
        R"(Variable(6).Value = R8 0)",
        R"(Component(5).Variable(I4 7) -> Object Variable(7))",
        R"(Variable(7).Value = R8 0)",
        R"(HostPlacement.rotation(I4 1) -> R8 1)",
        R"(HostPlacement.rotation(I4 2) -> R8 0)",
        R"(HostPlacement.rotation(I4 3) -> R8 0)",
        R"(HostPlacement.rotation(I4 4) -> R8 0)",
        R"(Shape.Components(I4 4) -> Object Components(4))",
        R"(Components(4).Item(I2 1) -> Object Component(4))",
        R"(Component(4).Variable(I4 4) -> Object Variable(4))",
        R"(Variable(4).Value = R8 1)",
        R"(Component(4).Variable(I4 5) -> Object Variable(5))",
        R"(Variable(5).Value = R8 0)",
        R"(Component(4).Variable(I4 6) -> Object Variable(6))",
        R"(Variable(6).Value = R8 0)",
        R"(Component(4).Variable(I4 7) -> Object Variable(7))",
        R"(Variable(7).Value = R8 0)",
        R"(Shape.Components(I4 5) -> Object Components(5))",
        R"(Components(5).Item(I2 1) -> Object Component(5))",
        R"(Component(5).Variable(I4 1) -> Object Variable(1))",
        R"(Variable(1).Value = R8 0)",
        R"(Component(5).Variable(I4 2) -> Object Variable(2))",
        R"(Variable(2).Value = R8 0)",
        R"(Component(5).Variable(I4 3) -> Object Variable(3))",
        R"(Variable(3).Value = R8 0)",
        R"(HostPlacement.x() -> R8 1)",
        R"(HostPlacement.y() -> R8 2)",
        R"(HostPlacement.z() -> R8 3)",
        R"(Shape.Components(I4 4) -> Object Components(4))",
        R"(Components(4).Item(I2 1) -> Object Component(4))",
        R"(Component(4).Variable(I4 1) -> Object Variable(1))",
        R"(Variable(1).Value = R8 1)",
        R"(Component(4).Variable(I4 2) -> Object Variable(2))",
        R"(Variable(2).Value = R8 2)",
        R"(Component(4).Variable(I4 3) -> Object Variable(3))",
        R"(Variable(3).Value = R8 3)",
    };
    EXPECT_THAT(placement, ElementsAreArray(expected));
}

TEST_F(PinTest, MissingComponentIsAnErrorNotACrash) {
    const auto pin = buildPin(10, 30, 1.5, 1);
    pin->components.byType.erase(14);
    Ref<Object> shape = shapeObject(pin);
    const auto s = newPShape();
    EXPECT_EQ(errorNumber([&] { s->createInPart(shape); }), err::SubscriptOutOfRange);
    Ref<Object> none;
    EXPECT_EQ(errorNumber([&] { s->createInPart(none); }), err::ObjectNotSet);
    module.HitPoint.reset();
    Ref<Object> part = host.partObject(plate);
    EXPECT_NE(errorNumber([&] { s->Create(part); }), 0);
}
