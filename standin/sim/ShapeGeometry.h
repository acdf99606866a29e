#pragma once
// The geometry the stand-in host derives from a shape's components: a kind-5
// shape is the circles of its profile extruded along its local +Z by size
// variable 3, placed by component 4 (position in variables 1–3, rotation as
// a quaternion w, x, y, z in variables 4–7). Read by the shape's members, the
// JSON writer and the SVG renderers.

#include <vector>

#include "standin/sim/Document.h"
#include "standin/sim/FrameMath.h"

namespace zelva::sim {

struct Placement {
    Vec3 position;
    Quaternion rotation;  // unit length; identity when never written
};

// A variable read as a number: never written is 0, anything not numeric is a
// type mismatch (13).
double numericVariable(const doc::Component& component, int32_t number);

// The ellipses of every curve set in the profile of the shape's profile owner.
std::vector<doc::Ellipse> profileCircles(const doc::Shape& shape);

Placement placementOf(const doc::Shape& shape);
Vec3 worldAxis(const doc::Shape& shape);  // the shape's local +Z in world coordinates
double extrusionLength(const doc::Shape& shape);

// Fits size variables 1, 2, 3 of the size box to the geometry, as doubles:
// the profile's extent along x and y about the origin, and the extrusion length.
void fitSizeBox(doc::Shape& shape);

}  // namespace zelva::sim
