// The stand-in host's document: its collections, geometry and host-library
// classes answer what the pin build relies on, its stores read the host's
// settings, and it hands drops and double-clicks on and dumps itself as JSON.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/automation/Error.h"
#include "standin/sim/DocumentJson.h"
#include "standin/sim/ShapeGeometry.h"
#include "standin/sim/SimHost.h"
#include "support/SimHostFixture.h"
#include "support/TempFolder.h"

namespace zelva::sim {
namespace {

// ---- collections ------------------------------------------------------------

TEST_F(SimHostTest, ItemOutsideTheCollectionIsSubscriptOutOfRange) {
    const Ref<Object> shape = newShape();
    const Ref<Object> sizes = components(*shape, 1);
    EXPECT_EQ(errorNumber([&] { sizes->call("Item", {val(Variant::i2(0))}); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { sizes->call("Item", {val(Variant::i2(2))}); }), err::SubscriptOutOfRange);
    EXPECT_EQ(errorNumber([&] { component(*shape, 34); }), err::SubscriptOutOfRange);
    // The item number is the 16-bit integer the host states, nothing else.
    EXPECT_EQ(errorNumber([&] { sizes->call("Item", {val(Variant::r8(1))}); }), err::TypeMismatch);
    EXPECT_EQ(errorNumber([&] { sizes->call("Item", {val(Variant::i4(1))}); }), err::TypeMismatch);
}

TEST_F(SimHostTest, NewShapeHasItsStandardComponentsAndNoOthers) {
    const Ref<Object> shape = newShape();
    for (int32_t t : {1, 4, 5, 14, 15}) EXPECT_EQ(host::countOf(*components(*shape, t)), 1) << t;
    for (int32_t t : {3, 23, 25, 27, 34, 43}) EXPECT_EQ(host::countOf(*components(*shape, t)), 0) << t;
}

TEST_F(SimHostTest, AddAppendsAComponentOfTheCollectionsType) {
    const Ref<Object> shape = newShape();
    const Ref<Object> added = components(*shape, 25)->callObject("Add");
    setValue(*variable(*added, 3), Variant::i4(5));
    EXPECT_EQ(host::countOf(*components(*shape, 25)), 1);
    EXPECT_EQ(valueOf(*variable(*component(*shape, 25), 3)), Variant::i4(5));
}

TEST_F(SimHostTest, RemoveDeletesTheGivenComponentByIdentity) {
    const Ref<Object> shape = newShape();
    const Ref<Object> profile = component(*shape, 15)->getObject("Profile");
    const Ref<Object> sets = components(*profile, 3);
    for (int16_t i = 1; i <= 3; ++i) {
        const Ref<Object> set = sets->callObject("Add");
        set->call("AddEllipse", {val(Variant::i2(0)), val(Variant::i2(0)), val(Variant::r8(i))});
    }
    // Another handle onto the second curve set, as a fresh Item call gives.
    sets->call("Remove", {val(sets->call("Item", {val(Variant::i2(2))}))});

    EXPECT_EQ(host::countOf(*sets), 2);
    const auto circles = profileCircles(*part->shapes()[0]);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0].r, 1);
    EXPECT_EQ(circles[1].r, 3);
}

TEST_F(SimHostTest, RemoveOfSomethingNotInTheCollectionFails) {
    const Ref<Object> shape = newShape();
    const Ref<Object> sets = components(*component(*shape, 15)->getObject("Profile"), 3);
    const Ref<Object> box = component(*shape, 1);
    EXPECT_EQ(errorNumber([&] { sets->call("Remove", {val(Variant::object(box))}); }), err::InvalidCall);
    EXPECT_EQ(errorNumber([&] { sets->call("Remove", {val(Variant::object(shape))}); }), err::InvalidCall);
    EXPECT_EQ(errorNumber([&] { sets->call("Remove", {val(Variant::i2(1))}); }), err::TypeMismatch);

    // A removed component's handle stays safe to use.
    const Ref<Object> set = sets->callObject("Add");
    sets->call("Remove", {val(Variant::object(set))});
    EXPECT_EQ(errorNumber([&] { sets->call("Remove", {val(Variant::object(set))}); }), err::InvalidCall);
    EXPECT_NO_THROW(set->call("AddEllipse", {val(Variant::i2(0)), val(Variant::i2(0)), val(Variant::r8(1))}));
    EXPECT_TRUE(profileCircles(*part->shapes()[0]).empty());
}

// ---- geometry ---------------------------------------------------------------

TEST_F(SimHostTest, ResetSizeBoxFitsTheSizeVariablesToTheExtrudedCircle) {
    const Ref<Object> shape = newShape();
    const Ref<Object> box = component(*shape, 1);
    setValue(*variable(*box, 1), Variant::r8(5));
    setValue(*variable(*box, 2), Variant::r8(5));
    setValue(*variable(*box, 3), Variant::r8(30));
    addCircle(*shape, Variant::i2(0), Variant::i2(0), 5);

    shape->call("ResetSizeBox");

    EXPECT_EQ(sizeVariable(*shape, 1), Variant::r8(10));
    EXPECT_EQ(sizeVariable(*shape, 2), Variant::r8(10));
    EXPECT_EQ(sizeVariable(*shape, 3), Variant::r8(30));
}

TEST_F(SimHostTest, ResetSizeBoxTakesTheFarthestCircleAlongEachAxis) {
    const Ref<Object> shape = newShape();
    addCircle(*shape, Variant::i2(2), Variant::i2(-3), 1);
    addCircle(*shape, Variant::i2(0), Variant::i2(1), 2.5);
    shape->call("ResetSizeBox");
    EXPECT_EQ(sizeVariable(*shape, 1), Variant::r8(6));
    EXPECT_EQ(sizeVariable(*shape, 2), Variant::r8(8));
    EXPECT_EQ(sizeVariable(*shape, 3), Variant::r8(0));
}

TEST_F(SimHostTest, ResetSizeBoxWithATextLengthIsATypeMismatch) {
    const Ref<Object> shape = newShape();
    // Stored past the host's own checks, as a damaged document might hold it.
    part->shapes()[0]->components.first(1)->variables[{std::nullopt, 3}] = Variant::str("long");
    EXPECT_EQ(errorNumber([&] { shape->call("ResetSizeBox"); }), err::TypeMismatch);
}

TEST_F(SimHostTest, CurveSetRecordsItsNumbersAsDoublesAndTakesOnlyTheirStatedTypes) {
    const Ref<Object> shape = newShape();
    addCircle(*shape, Variant::i2(1), Variant::i2(2), 0.5);
    const auto circles = profileCircles(*part->shapes()[0]);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].cx, 1.0);
    EXPECT_EQ(circles[0].cy, 2.0);
    EXPECT_EQ(circles[0].r, 0.5);
    const Ref<Object> set = component(*component(*shape, 15)->getObject("Profile"), 3);
    const auto refused = [&](const char* member, std::initializer_list<Variant> args) {
        std::vector<Arg> passed;
        for (const Variant& v : args) passed.push_back(val(v));
        return errorNumber([&] { set->invoke(member, CallKind::Method, passed); }) == err::TypeMismatch;
    };
    EXPECT_TRUE(refused("SetStartPoint", {Variant::str("0"), Variant::i2(0)}));
    EXPECT_TRUE(refused("SetStartPoint", {Variant::i4(0), Variant::i2(0)}));
    EXPECT_TRUE(refused("SetStartPoint", {Variant::i2(0), Variant::r8(0)}));
    EXPECT_TRUE(refused("AddEllipse", {Variant::r8(0), Variant::i2(0), Variant::r8(1)}));
    EXPECT_TRUE(refused("AddEllipse", {Variant::i2(0), Variant::i4(0), Variant::r8(1)}));
    EXPECT_TRUE(refused("AddEllipse", {Variant::i2(0), Variant::i2(0), Variant::i2(1)}));
    EXPECT_EQ(profileCircles(*part->shapes()[0]).size(), 1u);
}

// Writes a rotation (w, x, y, z) into component 4, as the component places a pin.
void place(Object& shape, const Quaternion& q) {
    const Ref<Object> placement = component(shape, doc::type::Placement);
    const double values[] = {q.w, q.x, q.y, q.z};
    for (int32_t i = 0; i < 4; ++i) setValue(*variable(*placement, 4 + i), Variant::r8(values[i]));
}

Vec3 normalOf(Object& shape) {
    Variant a = Variant::r8(0), b = Variant::r8(0), c = Variant::r8(0);
    shape.call("GetNormal", {ref(a), ref(b), ref(c)});
    return {toDouble(a), toDouble(b), toDouble(c)};
}

TEST_F(SimHostTest, GetNormalFollowsThePlacementRotation) {
    const Ref<Object> shape = newShape();
    const Vec3 unplaced = normalOf(*shape);
    EXPECT_EQ(unplaced.z, 1.0);

    place(*shape, rotationBetween({0, 0, 1}, {0, -1, 0}));
    const Vec3 n = normalOf(*shape);
    EXPECT_NEAR(n.x, 0, 1e-12);
    EXPECT_NEAR(n.y, -1, 1e-12);
    EXPECT_NEAR(n.z, 0, 1e-12);

    // A rotation written all zero, as the second placement is cleared, is no rotation.
    place(*shape, {0, 0, 0, 0});
    EXPECT_EQ(normalOf(*shape).z, 1.0);
}

// The same bits on every platform: square roots rounded once, as the native C
// runtime rounds them. A 32-bit Windows runtime whose square root passes through
// the x87's wider registers rounds twice, and the 3-4-5 normal came back exact.
TEST_F(SimHostTest, GetNormalOfA345RimIsTheSameToTheBitOnEveryPlatform) {
    EXPECT_EQ(sim::length({0.9486832980505138, -0.31622776601683794, 0}), 0.9999999999999999);
    const Ref<Object> shape = newShape();
    place(*shape, rotationBetween({0, 0, 1}, {0, 0.6, 0.8}));
    const Vec3 n = normalOf(*shape);
    EXPECT_EQ(n.x, 0.0);
    EXPECT_EQ(n.y, 0.6000000000000002);
    EXPECT_EQ(n.z, 0.7999999999999999);
}

TEST_F(SimHostTest, GetNormalNeedsItsOutputsAsDoublesByReference) {
    const Ref<Object> shape = newShape();
    Variant a = Variant::r8(7), c = Variant::r8(7), i = Variant::i4(0);
    EXPECT_EQ(errorNumber([&] {
                  shape->call("GetNormal", {ref(a), val(Variant::r8(0)), ref(c)});
              }),
              err::InvalidCall);
    EXPECT_EQ(errorNumber([&] { shape->call("GetNormal", {ref(a), ref(i), ref(c)}); }), err::TypeMismatch);
    EXPECT_EQ(a, Variant::r8(7));  // nothing written on failure
}

// ---- host library -----------------------------------------------------------

struct Frames {
    Vec3 fromAxis, toAxis;
};

Quaternion transformRotation(host::HostLibrary& lib, const Frames& f) {
    auto vector = [&](Vec3 v) {
        Ref<host::HostVector> r = lib.createVector();
        r->setXYZ(v.x, v.y, v.z);
        return r;
    };
    Ref<host::HostVector> origin = vector({0, 0, 0}), from = vector(f.fromAxis), point = vector({5, 6, 7}),
                          to = vector(f.toAxis);
    Ref<host::HostTransform> t = lib.createTransform();
    t->setFrames(origin, from, point, to);
    const auto [w, x, y, z] = t->rotation();
    return {w, x, y, z};
}

TEST_F(SimHostTest, TransformBetweenEqualAxesIsTheIdentity) {
    const Quaternion q = transformRotation(sim.library(), {{0, 0, 1}, {0, 0, 1}});
    EXPECT_EQ(q.w, 1);
    EXPECT_EQ(q.x, 0);
    EXPECT_EQ(q.y, 0);
    EXPECT_EQ(q.z, 0);
}

TEST_F(SimHostTest, TransformTurnsTheFirstAxisOntoTheSecond) {
    const Quaternion q = transformRotation(sim.library(), {{0, 0, 1}, {1, 0, 0}});
    EXPECT_NEAR(q.w, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(q.y, std::sqrt(0.5), 1e-12);
    const Vec3 turned = rotate(q, {0, 0, 1});
    EXPECT_NEAR(turned.x, 1, 1e-12);
    EXPECT_NEAR(turned.z, 0, 1e-12);
}

TEST_F(SimHostTest, TransformNextToAHalfTurnIsAUnitRotationThatTurnsTheAxis) {
    for (double tilt : {0.0, 5e-8, 1e-7, 3e-7, 1e-6}) {
        const Vec3 down{std::sin(tilt), 0, -std::cos(tilt)};
        const Quaternion q = transformRotation(sim.library(), {{0, 0, 1}, down});
        EXPECT_NEAR(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z, 1, 1e-15) << tilt;
        const Vec3 turned = rotate(q, {0, 0, 1});
        EXPECT_NEAR(turned.x, down.x, 1e-12) << tilt;
        EXPECT_NEAR(turned.z, down.z, 1e-12) << tilt;
    }
}

TEST_F(SimHostTest, TransformRefusesMissingVectors) {
    Ref<host::HostVector> a = sim.library().createVector(), missing;
    Ref<host::HostTransform> t = sim.library().createTransform();
    EXPECT_EQ(errorNumber([&] { t->setFrames(a, a, missing, a); }), err::ObjectNotSet);
}

TEST_F(SimHostTest, PlacementKeepsPositionAndFourRotationValues) {
    Ref<host::HostPlacement> p = sim.library().createPlacement();
    p->setX(1.5);
    p->setZ(-2);
    for (int i = 1; i <= 4; ++i) p->setRotation(i, i * 0.25);
    EXPECT_EQ(p->x(), 1.5);
    EXPECT_EQ(p->y(), 0);
    EXPECT_EQ(p->z(), -2);
    EXPECT_EQ(p->rotation(4), 1.0);
    EXPECT_EQ(errorNumber([&] { p->rotation(5); }), err::InvalidCall);
}

TEST_F(SimHostTest, ClassRegistryAnswersRegisteredProgIdsOnly) {
    sim.registerClass("Zelvacorin.PShape", "{1234}", [] { return Ref<Object>(); });
    Ref<host::HostClassRegistry> reg = sim.library().createClassRegistry();
    EXPECT_EQ(reg->classIdOf("zelvacorin.pshape", 0), "{1234}");
    EXPECT_EQ(errorNumber([&] { reg->classIdOf("Other.Class", 0); }), static_cast<int32_t>(0x800401F3u));
}

TEST_F(SimHostTest, UnitConverterScalesBetweenCodesOnThisHostsPage) {
    Ref<host::UnitConverter> conv = sim.library().createUnitConverter();
    Ref<Object> page = sim.page();
    constexpr int32_t mm = 7, m = 2, inch = 4, unknown = 3;
    EXPECT_DOUBLE_EQ(conv->convert(page, 5, mm, m), 0.005);
    EXPECT_DOUBLE_EQ(conv->convert(page, 5, inch, mm), 127);

    EXPECT_EQ(errorNumber([&] { conv->convert(page, 5, unknown, mm); }), err::InvalidCall);
    EXPECT_EQ(errorNumber([&] { conv->convert(Ref<Object>(), 5, mm, m); }), err::ObjectNotSet);
    EXPECT_EQ(errorNumber([&] { conv->convert(sim.application(), 5, mm, m); }), err::TypeMismatch);
}

// ---- stores -----------------------------------------------------------------

class SimStoresTest : public SimHostTest {
protected:
    // Reads through the host library as the component does.
    std::string readRegistry(std::string_view key, std::string_view name) {
        return sim.library().createRegistry()->readString(host::registry::LocalMachine, key, name);
    }

    test::TempFolder folder;
};

TEST_F(SimStoresTest, RegistryReadsAnAbsentValueAsEmpty) {
    sim.registry().set("SOFTWARE\\A", "Present", "yes");
    EXPECT_EQ(readRegistry("SOFTWARE\\A", "Missing"), "");
    EXPECT_EQ(readRegistry("SOFTWARE\\B", "Present"), "");
    EXPECT_EQ(readRegistry("SOFTWARE\\A", "Present"), "yes");
    Ref<host::HostRegistry> reg = sim.library().createRegistry();
    EXPECT_EQ(reg->readString(host::registry::CurrentUser, "SOFTWARE\\A", "Present"), "");
}

TEST_F(SimStoresTest, SettingsStoreAnswersSectionsAndKeysWithItsFallBacks) {
    sim.settings().load(
        folder.write("h.ini", "; host\n[Directories]\r\n  ThreadFile = %INSTALLDIR%\\Images\\  \r\n# end\n"),
        {{"INSTALLDIR", "/opt/t"}});
    Ref<host::HostSettingsStore> store = sim.library().createSettingsStore();

    EXPECT_FALSE(store->openSection("Other"));
    EXPECT_EQ(errorNumber([&] { store->readString("THREADFILE"); }), err::InvalidCall);

    EXPECT_TRUE(store->openSection("directories"));
    EXPECT_EQ(store->readString("THREADFILE"), "/opt/t\\Images\\");
    EXPECT_EQ(store->readString("Nope"), std::nullopt);
    store->closeSection();
    EXPECT_EQ(errorNumber([&] { store->closeSection(); }), err::InvalidCall);
}

TEST_F(SimStoresTest, FileTestMapsWindowsSeparators) {
    std::filesystem::create_directories(folder.path() / "Images");
    folder.write("Images/3iaoftt.jpg", "jpg");
    Ref<host::HostRegistry> reg = sim.library().createRegistry();
    EXPECT_TRUE(reg->fileExists(folder.path().string() + "\\Images\\3iaoftt.jpg"));
    EXPECT_FALSE(reg->fileExists(folder.path().string() + "\\Images\\none.jpg"));
    EXPECT_FALSE(reg->fileExists(folder.path().string() + "\\Images"));
}

// ---- application, page, texture ----------------------------------------------

TEST_F(SimHostTest, PageAndApplicationAnswerTheirSettings) {
    const Ref<Object> shape = newShape();
    const Ref<Object> app = shape->getObject("Application");
    const Ref<Object> page = app->getObject("ActivePage");
    EXPECT_EQ(page->get("UnitsEx", {val(Variant::i4(2))}), Variant::i4(0));
    EXPECT_EQ(app->get("DialogPrecision"), Variant::i2(2));
    sim.setPageLengthUnits(3);
    sim.setDialogPrecision(0);
    EXPECT_EQ(page->get("UnitsEx", {val(Variant::i4(2))}), Variant::i4(3));
    EXPECT_EQ(app->get("DialogPrecision"), Variant::i2(0));
    EXPECT_EQ(errorNumber([&] { page->get("UnitsEx", {val(Variant::i2(2))}); }), err::TypeMismatch);
    page->call("Update");
    page->getObject("Application")->getObject("ActivePage")->call("Update");
    EXPECT_EQ(sim.pageUpdates(), 2);
}

TEST_F(SimHostTest, SurfaceFinishKeepsOneTextureWithEveryValueTyped) {
    const Ref<Object> shape = newShape();
    const Ref<Object> finish = components(*shape, 27)->callObject("Add");
    auto surfaceFinish = [&] {
        Variant q = Variant::r8(0.005), r = Variant::r8(0.005), s = Variant::r8(0.015);
        return finish->callObject(
            "SurfaceFinish", {ref(q), ref(r), ref(s), val(Variant::i2(-1)), val(Variant::i2(-1)), val(Variant::i2(0))});
    };
    const Ref<Object> texture = surfaceFinish();
    texture->put("TextureFile", {val(Variant::str("C:\\t.jpg"))});
    texture->put("ProjectionType", {val(Variant::i2(1)), val(Variant::i4(3))});
    texture->put("Flip", {val(Variant::i2(1)), val(Variant::boolean(true))});
    texture->call("SetUpDirection",
                  {val(Variant::i2(1)), val(Variant::r8(0)), val(Variant::r8(0)), val(Variant::r8(1))});

    const Ref<Object> again = surfaceFinish();
    EXPECT_EQ(again->get("ProjectionType", {val(Variant::i2(1))}), Variant::i4(3));
    EXPECT_EQ(again->get("Flip", {val(Variant::i2(1))}), Variant::boolean(true));
    EXPECT_EQ(again->get("TextureFile"), Variant::str("C:\\t.jpg"));
    EXPECT_TRUE(again->get("ProjectionWidth", {val(Variant::i2(1))}).isEmpty());
    EXPECT_EQ(errorNumber([&] { again->put("TextureFile", {val(Variant::i2(1))}); }), err::TypeMismatch);
    // Each value has the type the host states, the index too.
    EXPECT_EQ(errorNumber([&] { again->put("ProjectionType", {val(Variant::i2(1)), val(Variant::i2(3))}); }),
              err::TypeMismatch);
    EXPECT_EQ(errorNumber([&] { again->put("ProjectionWidth", {val(Variant::i4(1)), val(Variant::r8(3))}); }),
              err::TypeMismatch);
    EXPECT_EQ(errorNumber([&] { again->put("VerticalRatio", {val(Variant::i2(1)), val(Variant::r8(1))}); }),
              err::TypeMismatch);
    EXPECT_EQ(errorNumber([&] { again->put("Flip", {val(Variant::i2(1)), val(Variant::i2(-1))}); }),
              err::TypeMismatch);
    EXPECT_EQ(errorNumber([&] {
                  again->call("SetUpDirection",
                              {val(Variant::i2(1)), val(Variant::i4(0)), val(Variant::r8(0)), val(Variant::r8(1))});
              }),
              err::TypeMismatch);
    EXPECT_EQ(errorNumber([&] {
                  Variant q = Variant::r8(0), r = Variant::r8(0), s = Variant::r8(0);
                  finish->call("SurfaceFinish", {ref(q), ref(r), ref(s), val(Variant::i4(-1)), val(Variant::i2(-1)),
                                                 val(Variant::i2(0))});
              }),
              err::TypeMismatch);

    const doc::Texture& t = *part->shapes()[0]->components.first(27)->texture;
    ASSERT_EQ(t.calls.at("SurfaceFinish").size(), 6u);
    EXPECT_EQ(t.calls.at("SurfaceFinish")[3], Variant::i2(-1));
    EXPECT_EQ(t.calls.at("SetUpDirection(1)")[2], Variant::r8(1));
}

// ---- drop hook and hit elements ----------------------------------------------

TEST_F(SimHostTest, DropHookDescribesACircularEdgeHit) {
    part = sim.addPart("Base");
    const Ref<Object> hook = sim.makeDropHook(sim.addCircularEdge(part, {1, 2, 3}, {0, 1, 0}, 2.5, 3));
    EXPECT_EQ(hook->get("HitElementType"), Variant::i2(2));
    const Ref<Object> edge = hook->getObject("HitElement");
    EXPECT_EQ(edge->get("GeometryType"), Variant::i2(11));
    EXPECT_EQ(edge->get("PointY"), Variant::r8(2));
    EXPECT_EQ(edge->get("MajorRadius"), Variant::r8(2.5));

    const Variant depth = hook->getObject("ShapePath")->get("Count");
    EXPECT_EQ(depth, Variant::i4(3));
    EXPECT_EQ(hook->get("HitNormalY", {val(depth)}), Variant::r8(1));
    EXPECT_EQ(errorNumber([&] { hook->get("HitNormalY", {val(Variant::i4(1))}); }), err::InvalidCall);

    const Ref<Object> owner = edge->getObject("part", {val(Variant::boolean(false))});
    EXPECT_EQ(owner->get("Name"), Variant::str("Base"));
    EXPECT_EQ(owner->get("Type"), Variant::i4(1));
    EXPECT_EQ(errorNumber([&] { edge->get("part", {val(Variant::i2(0))}); }), err::TypeMismatch);
    EXPECT_EQ(hook->getObject("Page")->get("UnitsEx", {val(Variant::i4(2))}), Variant::i4(0));
}

TEST_F(SimHostTest, LineEdgesAndFacesAreNotCircles) {
    part = sim.addPart("Base");
    const Ref<Object> line = sim.makeDropHook(sim.addLineEdge(part, {}, {0, 0, 1}));
    const Ref<Object> face = sim.makeDropHook(sim.addFace(part, {}, {0, 0, 1}));
    EXPECT_EQ(line->get("HitElementType"), Variant::i2(2));
    EXPECT_EQ(line->getObject("HitElement")->get("GeometryType"), Variant::i2(1));
    EXPECT_EQ(errorNumber([&] { line->getObject("HitElement")->get("MajorRadius"); }), err::MemberNotSupported);
    EXPECT_EQ(face->get("HitElementType"), Variant::i2(3));
    EXPECT_EQ(face->getObject("HitElement")->get("GeometryType"), Variant::i2(0));
    EXPECT_EQ(sim.document().hits.size(), 2u);
}

// ---- double-click routing ---------------------------------------------------

// A handler that records the DblClick it receives.
class ClickRecorder : public Object {
public:
    explicit ClickRecorder(std::vector<std::string>& seen) : seen_(seen) {}
    Variant invoke(std::string_view name, CallKind, std::span<const Arg> args) override {
        std::string line(name);
        for (const Arg& a : args) line += std::string(" ") + (a.ref ? "ref " : "") + typeName(a.get().type());
        seen_.push_back(line);
        return {};
    }

private:
    std::vector<std::string>& seen_;
};

TEST_F(SimHostTest, DoubleClickGoesToTheClassNamedInTheShapesClassRecord) {
    std::vector<std::string> seen;
    sim.registerClass("Zelvacorin.PShape", "{ABC}", [&] { return Ref<Object>(makeRef<ClickRecorder>(seen)); });
    const Ref<Object> shape = newShape();
    EXPECT_THROW(sim.doubleClick(part->shapes()[0]), Error);  // no class record yet

    setValue(*variable(*components(*shape, 43)->callObject("Add"), 1), Variant::str("{abc}"));
    sim.doubleClick(part->shapes()[0], 10, 20);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], "DblClick ref Object ref I4 ref I4");

    setValue(*variable(*component(*shape, 43), 1), Variant::str("{unknown}"));
    EXPECT_THROW(sim.doubleClick(part->shapes()[0]), Error);
}

// ---- document JSON ----------------------------------------------------------

TEST_F(SimHostTest, DocumentJsonListsPartsShapesComponentsAndTypedValues) {
    const Ref<Object> shape = newShape();
    shape->put("Name", {val(Variant::str("自定义螺纹"))});
    setValue(*variable(*component(*shape, 1), 14), Variant::i4(2));
    setValue(*variable(*component(*shape, 1), 3), Variant::r8(30));
    setValue(*variable(*components(*shape, 34)->callObject("Add"), 2, 0), Variant::str("Tessalo"));
    addCircle(*shape, Variant::i2(0), Variant::i2(0), 5);
    components(*shape, 27)
        ->callObject("Add")
        ->callObject("SurfaceFinish", {val(Variant::r8(1)), val(Variant::r8(1)), val(Variant::r8(2)),
                                       val(Variant::i2(-1)), val(Variant::i2(-1)), val(Variant::i2(0))})
        ->put("TextureFile", {val(Variant::str("t.jpg"))});

    const nlohmann::json j = documentJson(sim);
    ASSERT_EQ(j["parts"].size(), 1u);
    EXPECT_EQ(j["parts"][0]["name"], "Base");
    const auto& s = j["parts"][0]["shapes"][0];
    EXPECT_EQ(s["name"], "自定义螺纹");
    EXPECT_EQ(s["kind"], 5);
    std::vector<int> types;
    for (const auto& c : s["components"]) types.push_back(c["type"]);
    EXPECT_EQ(types, (std::vector<int>{1, 4, 5, 14, 15, 27, 34}));

    const auto& size = s["components"][0]["variables"];
    ASSERT_EQ(size.size(), 2u);
    EXPECT_EQ(size[0], (nlohmann::json{{"n", 3}, {"type", "R8"}, {"value", 30.0}}));
    EXPECT_EQ(size[1], (nlohmann::json{{"n", 14}, {"type", "I4"}, {"value", 2}}));
    EXPECT_EQ(s["components"][6]["variables"][0],
              (nlohmann::json{{"kind", 2}, {"index", 0}, {"type", "Str"}, {"value", "Tessalo"}}));
    EXPECT_EQ(s["components"][4]["profile"],
              nlohmann::json::parse(R"([{"start":[0.0,0.0],"curves":[{"ellipse":[0.0,0.0,5.0]}]}])"));
    const auto& texture = s["components"][5]["texture"];
    EXPECT_EQ(texture["TextureFile"], (nlohmann::json{{"type", "Str"}, {"value", "t.jpg"}}));
    ASSERT_EQ(texture["SurfaceFinish"].size(), 6u);
    EXPECT_EQ(texture["SurfaceFinish"][3], (nlohmann::json{{"type", "I2"}, {"value", -1}}));
}

TEST_F(SimHostTest, DocumentJsonIsWrittenShapeByShapeExactlyAsDumped) {
    const auto written = [&] {
        std::ostringstream out;
        writeDocumentJson(out, sim.document());
        return out.str();
    };
    EXPECT_EQ(written(), documentJson(sim).dump(2));  // no parts
    sim.addPart("Empty \"quoted\"");
    EXPECT_EQ(written(), documentJson(sim).dump(2));  // a part without shapes
    for (double length : {30.0, 40.0}) {
        const Ref<Object> shape = newShape();
        setValue(*variable(*component(*shape, 1), 3), Variant::r8(length));
        addCircle(*shape, Variant::i2(0), Variant::i2(0), 5);
        addCircle(*shape, Variant::i2(1), Variant::i2(0), 2);
    }
    EXPECT_EQ(written(), documentJson(sim).dump(2));
}

}  // namespace
}  // namespace zelva::sim
