// The part data: the pin's pitch and chamfer kept in its host shape (diameter
// and length are read back from the size box), written after every build and
// read by the edit dialog and by drawing views.

#include "core/automation/Error.h"
#include "core/automation/NumberRules.h"
#include "core/shape/ComponentVariables.h"
#include "core/env/DialogPrecision.h"
#include "core/host/ComponentTypes.h"
#include "core/host/HostCalls.h"
#include "core/host/VariableNumbers.h"
#include "core/shape/PShape.h"

namespace zelva::shape {

using namespace host;
using namespace host::vars::part_data;

namespace {

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
    setValue(deref(variable(c, TextField, FamilyTag)), Variant::str("Tessalo"));
    setValue(deref(variable(c, TextField, ComponentTag)), Variant::str("Zelvacorin"));
    setValue(deref(variable(c, NumberField, Format)), Variant::i2(1));
    setValue(deref(variable(c, NumberField, Pitch)), Variant::r8(Passo()));
    setValue(deref(variable(c, NumberField, Chamfer)), Variant::i2(smusso_));
}

void PShape::GetPartData(Ref<Object>& objShape) {
    env::Module& m = module_;
    Object& shape = deref(objShape);
    setLunghezza(shape::GetSizeVariable3(shape));
    setDiametro(shape::GetSizeVariable2(shape));
    if (!hasPartData(shape)) return;
    const Ref<Object> data = component(shape, types::PartData);
    Object& c = deref(data);

    ui::Dialog& dialog = m.dialog();
    dialog.Passo.setText(shownNumber(toDouble(field(c, NumberField, Pitch))));
    dialog.ToggleSmusso.setValue(toInt16(field(c, NumberField, Chamfer)));
    dialog.Lunghezza.setText(shownNumber(roundHalfEven(Lunghezza(), env::DialogPrecision(m))));
    m.CurrentDiameter = Diametro();
}

int16_t PShape::ReadShapeData(Ref<Object>& objShape) {
    setTransferToDrawingFlags(0);
    int16_t result = kFalse;
    Object& shape = deref(objShape);
    setLunghezza(shape::GetSizeVariable3(shape));
    setDiametro(shape::GetSizeVariable2(shape));
    if (hasPartData(shape)) {
        setPasso(toDouble(field(deref(component(shape, types::PartData)), NumberField, Pitch)));
        setTransferToDrawingFlags(1);
        result = kTrue;
    }
    return result;
}

}  // namespace zelva::shape
