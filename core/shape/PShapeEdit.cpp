// Editing on double-click: the parameter dialog reopens with the pin's stored
// values and, on OK, rebuilds the pin in place.

#include "core/host/HostCalls.h"
#include "core/shape/EditDialog.h"
#include "core/shape/PShape.h"

namespace zelva::shape {

void PShape::DblClick(Ref<Object>& objPart, int32_t&, int32_t&) { OpenEditDialog(module_, objPart); }

void OpenEditDialog(env::Module& m, Ref<Object>& objPart) {
    m.EditMode = kTrue;
    m.HostApp = host::deref(objPart).getObject("Application");
    m.CurrentPage = host::deref(m.HostApp).getObject("ActivePage");
    m.EditShape = makeRef<PShape>(m);
    m.EditPart = objPart;
    m.showModal(m.dialog());
}

}  // namespace zelva::shape
