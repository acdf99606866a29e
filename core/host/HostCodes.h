#pragma once
// The host's numeric codes the component reads or passes, beside the
// component types and variable numbers, each in the width the host gives or
// takes it. Their meaning belongs to the host.

#include <cstdint>

namespace zelva::host {

// A drop's HitElementType: what the user dropped on (16-bit).
namespace hit {
constexpr int16_t Edge = 2;
constexpr int16_t Face = 3;
}  // namespace hit

// A hit element's GeometryType (16-bit). Only a circle has a MajorRadius.
namespace geometry {
constexpr int16_t Face = 0;
constexpr int16_t Line = 1;
constexpr int16_t Circle = 11;
}  // namespace geometry

// A page's UnitsEx(kind): the kind asked about and the unit code answered (32-bit).
namespace units {
constexpr int32_t LengthKind = 2;
constexpr int32_t Millimetres = 0;
}  // namespace units

// The registry reader's root selectors, one per hive (32-bit).
namespace registry {
constexpr int32_t ClassesRoot = 0;
constexpr int32_t CurrentUser = 1;
constexpr int32_t LocalMachine = 2;  // the product family's keys
constexpr int32_t Users = 3;
}  // namespace registry

}  // namespace zelva::host
