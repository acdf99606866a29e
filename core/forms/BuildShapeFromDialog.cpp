#include "core/forms/BuildShapeFromDialog.h"

#include "core/automation/NumberRules.h"
#include "core/shape/ComponentVariables.h"
#include "core/env/Preferences.h"
#include "core/forms/NumberFieldCheck.h"
#include "core/host/HostCalls.h"
#include "core/shape/PShape.h"

namespace zelva::forms {

void BuildShapeFromDialog(env::Module& m) {
    if (RefuseUnreadableNumbers(m)) return;
    ui::Dialog& d = m.dialog();
    const Ref<shape::PShape> s = makeRef<shape::PShape>(m);
    s->setDiametro(d.ToggleMan.value() != 0 ? leadingNumber(d.TxtDiam.text) : m.CurrentDiameter);
    if (!(s->Diametro() > 0)) s->setDiametro(m.CurrentDiameter);
    s->setLunghezza(leadingNumber(d.Lunghezza.text()));
    s->setPasso(leadingNumber(d.Passo.text()));
    s->setSmusso(d.ToggleSmusso.value());
    if (m.EditMode != kFalse) {
        shape::RemoveProfileComponents(host::deref(m.EditPart));
        s->createInPart(m.EditPart);
    } else {
        s->Create(m.TargetPart);
        env::WritePrefs(m);
    }
    m.dialog().unload();
}

}  // namespace zelva::forms
