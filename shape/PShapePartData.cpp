// The part data: the pin's pitch and chamfer kept in its host shape (diameter
// and length are read back from the size box), written after every build and
// read by the edit dialog and by drawing views.

#include "automation/Error.h"
#include "automation/NumberRules.h"
#include "env/ComponentVariables.h"
#include "host/ComponentTypes.h"
#include "host/HostCalls.h"
#include "shape/PShape.h"

namespace zelva::shape {

using namespace host;

namespace {

constexpr int32_t kTextField = 2;
constexpr int32_t kNumberField = 1;

bool hasPartData(Object& shape) { return countOf(deref(components(shape, types::PartData))) > 0; }

Variant field(Object& partData, int32_t kind, int16_t index) {
    return valueOf(deref(variable(partData, kind, index)));
}

// A number as the dialog shows it: the number-to-text form, trimmed.
std::string shownNumber(double v) { return trimSpaces(numberToText(v)); }

}  // namespace

void PShape::SetPartData(Ref<Object>& objShape) {
    const Ref<Object> data = componentOrNew(deref(objShape), types::PartData);
    Object& c = deref(data);
    setValue(deref(variable(c, kTextField, 0)), Variant::str("Tessalo"));
    setValue(deref(variable(c, kTextField, 1)), Variant::str("Zelvacorin"));
    setValue(deref(variable(c, kNumberField, 6)), Variant::i2(1));
    setValue(deref(variable(c, kNumberField, 12)), Variant::r8(Passo()));
    setValue(deref(variable(c, kNumberField, 13)), Variant::i2(smusso_));
}

void PShape::GetPartData(Ref<Object>& objShape) {
    env::Module& m = module_;
    Object& shape = deref(objShape);
    setLunghezza(env::GetSizeVariable3(shape));
    setDiametro(env::GetSizeVariable2(shape));
    if (!hasPartData(shape)) return;
    const Ref<Object> data = component(shape, types::PartData);
    Object& c = deref(data);

    ui::Dialog& dialog = m.dialog();
    dialog.Passo.setText(shownNumber(toDouble(field(c, kNumberField, 12))));
    dialog.ToggleSmusso.setValue(toInt16(field(c, kNumberField, 13)));
    const Ref<Object> app = deref(m.CurrentPage).getObject("Application");
    const int32_t precision = toInt32(deref(app).get("DialogPrecision"));
    if (precision < 0) throw Error::runtime(err::InvalidCall);
    dialog.Lunghezza.setText(shownNumber(roundHalfEven(Lunghezza(), precision)));
    m.CurrentDiameter = Diametro();
}

int16_t PShape::ReadShapeData(Ref<Object>& objShape) {
    setTransferToDrawingFlags(0);
    int16_t result = kFalse;
    Object& shape = deref(objShape);
    setLunghezza(env::GetSizeVariable3(shape));
    setDiametro(env::GetSizeVariable2(shape));
    if (hasPartData(shape)) {
        setPasso(toDouble(field(deref(component(shape, types::PartData)), kNumberField, 12)));
        setTransferToDrawingFlags(1);
        result = kTrue;
    }
    return result;
}

}  // namespace zelva::shape
