#include "core/shape/PShape.h"

#include "core/automation/NumberRules.h"
#include "core/shape/ProjectionFlags.h"

namespace zelva::shape {

PShape::PShape(env::Module& module) : module_(module) {}

void PShape::setSmusso(double v) { smusso_ = roundToInt16(v); }

int32_t PShape::ProjectionFlags() const { return GetProjectionFlags(flags_); }

}  // namespace zelva::shape
