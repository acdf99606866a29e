#pragma once
// The host's variable numbers, per component type (host/ComponentTypes.h),
// passed to Variable(n) as 32-bit integers. The names say what the pin keeps
// in each; the meaning of the numbers belongs to the host.

#include <cstdint>

namespace zelva::host::vars {

// types::SizeBox: the box the host fits around a shape's geometry.
namespace size_box {
constexpr int32_t Width = 1;
constexpr int32_t Depth = 2;  // read back as the pin's diameter
constexpr int32_t Length = 3;  // read back as the pin's length
constexpr int32_t WidthSwitch = 4;
constexpr int32_t DepthSwitch = 5;
constexpr int32_t LengthSwitch = 6;
constexpr int32_t Anchor = 7;
constexpr int32_t FitMode = 14;
}  // namespace size_box

// types::Placement and types::PlacementCleared: a position and the host's
// four rotation values.
namespace placement {
constexpr int32_t X = 1;
constexpr int32_t Y = 2;
constexpr int32_t Z = 3;
constexpr int32_t Rotation1 = 4;
constexpr int32_t Rotation2 = 5;
constexpr int32_t Rotation3 = 6;
constexpr int32_t Rotation4 = 7;
}  // namespace placement

// types::Body: the extruded body's end chamfer and surface settings.
namespace body {
constexpr int32_t StartChamfer = 23;
constexpr int32_t EndChamfer = 24;
constexpr int32_t SurfaceOffset = 47;
constexpr int32_t SurfaceMode = 62;
}  // namespace body

// types::ClassMarker and types::ClassRecord: which class handles the shape.
namespace class_marker {
constexpr int32_t Marker = 3;
}
namespace class_record {
constexpr int32_t ClassId = 1;
}

// types::PartData: fields addressed as Variable(kind, index), the index a
// 16-bit integer.
namespace part_data {
constexpr int32_t NumberField = 1;
constexpr int32_t TextField = 2;
constexpr int16_t FamilyTag = 0;     // text
constexpr int16_t ComponentTag = 1;  // text
constexpr int16_t Format = 6;        // number
constexpr int16_t Pitch = 12;        // number
constexpr int16_t Chamfer = 13;      // number
}  // namespace part_data

}  // namespace zelva::host::vars
