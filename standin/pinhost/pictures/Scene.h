#pragma once
// The document as the model picture shows it: each part a plate reaching a
// margin past the places a drop can hit, with a hole at each circular edge,
// and each kind-5 shape a pin standing on it, read from what the component
// wrote (placement, profile circle, extrusion, chamfers, thread texture).

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "standin/sim/Document.h"
#include "standin/sim/FrameMath.h"

namespace zelva::pinhost::pictures {

using sim::Vec3;

inline constexpr double kPlateThickness = 8;  // mm

struct Pin {
    size_t order = 0;  // in the document
    std::string name;
    Vec3 base;           // center of the standing end
    Vec3 axis{0, 0, 1};  // unit, towards the free end
    double radius = 0;   // 0: no usable profile, drawn as a marker
    double length = 0;
    double chamfer = 0;           // at the free end
    std::optional<double> pitch;  // from the thread picture

    bool solid() const { return radius > 0; }
    Vec3 pointOnAxis(double h) const { return base + h * axis; }
};

struct Hole {
    Vec3 center;
    double radius;
};

struct Plate {
    double x0, x1, y0, y1, top;
    std::vector<Hole> holes;

    Vec3 corner(bool highX, bool highY, bool upper) const {
        return {highX ? x1 : x0, highY ? y1 : y0, upper ? top : top - kPlateThickness};
    }
};

struct PartScene {
    Plate plate;
    std::vector<Pin> pins;
};

// The parts and their pins in document order; a shape whose placement cannot
// be read is left out, and values that are no usable number are ignored.
std::vector<PartScene> readScene(const sim::doc::Document& doc);

}  // namespace zelva::pinhost::pictures
