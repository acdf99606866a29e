#pragma once
// The stand-in host with a document to write into, reached the way the
// component reaches it: the fixture of the stand-in's own tests.

#include <gtest/gtest.h>

#include "core/host/HostCalls.h"
#include "standin/sim/SimHost.h"
#include "support/ErrorNumber.h"

namespace zelva::sim {

// The host calls and the error check the stand-in's tests write with.
using host::component;
using host::components;
using host::setValue;
using host::valueOf;
using host::variable;
using test::errorNumber;

class SimHostTest : public ::testing::Test {
protected:
    // A new kind-5 shape in a new part, reached the way the component does.
    Ref<Object> newShape() {
        part = sim.addPart("Base");
        const Ref<Object> body = component(*sim.partObject(part), doc::type::PartShapes);
        return body->callObject("Shapes", {val(Variant::i4(doc::kExtrudedShapeKind))})->callObject("Add");
    }

    // A circle of `radius` about (cx, cy) in the shape's profile, in a new curve set.
    void addCircle(Object& shape, Variant cx, Variant cy, double radius) {
        const Ref<Object> profile = component(shape, doc::type::ProfileOwner)->getObject("Profile");
        const Ref<Object> curves = components(*profile, doc::type::CurveSets)->callObject("Add");
        curves->call("SetStartPoint", {val(Variant::i2(0)), val(Variant::i2(0))});
        curves->call("AddEllipse", {val(cx), val(cy), val(Variant::r8(radius))});
    }

    Variant sizeVariable(Object& shape, int32_t n) {
        return valueOf(*variable(*component(shape, doc::type::SizeBox), n));
    }

    std::string journalText() const { return renderJournal(sim.journal()); }

    SimHost sim;
    std::shared_ptr<doc::Part> part;
};

}  // namespace zelva::sim
