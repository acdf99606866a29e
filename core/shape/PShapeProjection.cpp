// Answers to drawing views: how the pin's thread is drawn as a cosmetic thread.
// Every length handed to the host passes through the host's unit converter.

#include "core/automation/NumberRules.h"
#include "core/shape/UnitConversion.h"
#include "core/shape/PShape.h"
#include "core/shape/ThreadCallout.h"

namespace zelva::shape {

namespace {
// Unit codes of the drawing answers: model lengths to drawing lengths.
constexpr int32_t kModelUnits = 1;
constexpr int32_t kDrawingUnits = 11;
}  // namespace

double PShape::ToProjectionUnits(double value) {
    return shape::ConvertUnits(module_, value, kModelUnits, kDrawingUnits);
}

int16_t PShape::GetHoleInformation(int16_t, int16_t&, double&, double&, double&, double&, double&, double&) {
    return kFalse;
}

int16_t PShape::Initialize(Ref<Object>& shape) {
    // A callout written for the shape loaded before belongs to that shape only.
    if (calloutFromTemplate_) setThreadCallout({});
    if (!shape) return kFalse;
    if (toInt32(shape->get("Type")) == 1) return kFalse;
    const int16_t found = ReadShapeData(shape);
    if (found != kFalse && callout_.empty()) {
        callout_ = templateCallout(module_, Diametro(), Passo(), Lunghezza());
        calloutFromTemplate_ = !callout_.empty();
    }
    return found;
}

int16_t PShape::GetDiameters(AnswerOutput inner, AnswerOutput outer) {
    outer = ToProjectionUnits(Diametro());
    inner = ToProjectionUnits(checkedDouble(Diametro() - Passo()));
    return kTrue;
}

int16_t PShape::GetTaperFromMajorDiameter(AnswerOutput angle) {
    angle = 0.0;
    return kTrue;
}

int16_t PShape::GetPositionInformation(AnswerOutput length, AnswerOutput offset) {
    length = ToProjectionUnits(Lunghezza());
    offset = ToProjectionUnits(0.0);
    return kTrue;
}

int16_t PShape::GetThreadDirection(AnswerOutput x, AnswerOutput y, AnswerOutput z) {
    x = 0.0;
    y = 0.0;
    z = 1.0;
    return kTrue;
}

int16_t PShape::GetIsHole(int16_t& isHole) {
    isHole = kFalse;
    return kTrue;
}

int16_t PShape::GetTaperProjection(int16_t& taperProjection) {
    taperProjection = kFalse;
    return kTrue;
}

}  // namespace zelva::shape
