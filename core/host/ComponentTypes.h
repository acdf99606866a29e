#pragma once
// The host's component types a pin's shape is built from, passed to
// Components(type) as 32-bit integers. Their meaning belongs to the host.

#include <cstdint>

namespace zelva::host::types {

constexpr int32_t SizeBox = 1;
constexpr int32_t CurveSets = 3;  // inside a profile
constexpr int32_t Placement = 4;
constexpr int32_t PlacementCleared = 5;
constexpr int32_t Body = 14;
constexpr int32_t ProfileOwner = 15;
constexpr int32_t PartShapes = 23;  // a part's holder of shapes
constexpr int32_t ClassMarker = 25;
constexpr int32_t SurfaceFinish = 27;
constexpr int32_t PartData = 34;
constexpr int32_t ClassRecord = 43;

}  // namespace zelva::host::types
