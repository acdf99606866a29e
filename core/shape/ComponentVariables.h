#pragma once
// The host component variables of a pin's shape: size box, placement, profile.
// Each procedure fetches the component once as Components(type).Item(1) and
// writes or reads its variables in a fixed order with fixed types.

#include "core/automation/Object.h"

namespace zelva::shape {

void SetSizeVariables(Object& shape, double width, double depth, double length);
void SetComponent4Position(Object& shape, double x, double y, double z);
void SetComponent5Position(Object& shape, double x, double y, double z);
void SetComponent4Orientation(Object& shape, double a, double b, double c, double d);
void SetComponent5Orientation(Object& shape, double a, double b, double c, double d);

// Size variables 2 (the pin's diameter) and 3 (its length) as doubles; a value
// that is not numeric is a type mismatch.
double GetSizeVariable2(Object& shape);
double GetSizeVariable3(Object& shape);

// Empties the profile before a pin is rebuilt in place, first item each time.
void RemoveProfileComponents(Object& shape);

}  // namespace zelva::shape
