#pragma once
// The component's creatable classes as the host knows them.

namespace zelva::shape {

constexpr const char* kPShapeProgId = "Zelvacorin.PShape";
constexpr const char* kDropHookProgId = "Zelvacorin.DropHook";

constexpr const char* kPShapeClassId = "{DE33A837-FD95-11D4-85CB-00E08110F9CF}";
constexpr const char* kDropHookClassId = "{DE33A830-FD95-11D4-85CB-00E08110F9CF}";

}  // namespace zelva::shape
