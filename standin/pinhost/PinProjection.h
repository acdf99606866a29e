#pragma once
// What a drawing view learned from a pin: the answers of its projected-thread
// queries, as the host would draw the cosmetic thread from them.

#include <array>
#include <cstdint>
#include <string>

namespace zelva::pinhost {

struct PinProjection {
    std::string pin;       // "pin1", "pin2", … in creation order
    bool result = false;   // the answer of GetProjectedThreadInformation
    double outer = 0;      // major diameter, drawing units (millimetres)
    double inner = 0;      // minor diameter
    double taperAngle = 0;
    double length = 0;     // thread length
    double offset = 0;     // thread start along the axis
    std::array<double, 3> direction{0, 0, 0};
    bool isHole = false;
    bool taper = false;
    int32_t flags = 0;     // ProjectionFlags
    std::string callout;
    bool chamfered = false;  // the pin's end chamfer (from its shape), drawn at half a pitch
    double chamfer = 0;      // chamfer length, millimetres
};

}  // namespace zelva::pinhost
