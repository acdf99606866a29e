#include "pinhost/FormSnapshot.h"

namespace zelva::app {

using json = nlohmann::ordered_json;

ShownForm shownForm(const DialogSnapshot& d) {
    return {kDialogForm,
            {
                {"caption", d.caption},
                {"top", d.top},
                {"left", d.left},
                {"tabs", d.tabs},
                {"tab", d.tab},
                {"Normativa",
                 {{"items", d.standards.items},
                  {"itemData", d.standards.itemData},
                  {"index", d.standards.index},
                  {"enabled", d.standards.enabled}}},
                {"Lunghezza", {{"items", d.lengths.items}, {"text", d.lengths.text}}},
                {"Passo", {{"items", d.pitches.items}, {"text", d.pitches.text}}},
                {"LblDescr", d.description},
                {"lblTxtDiam", d.diameter},
                {"LblNormativa", d.standardLabel},
                {"LblDiam", d.diameterLabel},
                {"LblLung", d.lengthLabel},
                {"LblPasso", d.pitchLabel},
                {"ToggleSmusso", d.chamfer},
                {"ToggleMan", d.manual},
                {"TxtDiam", {{"text", d.manualDiameter}, {"visible", d.manualDiameterVisible}}},
                {"OKButton", {{"caption", d.okCaption}, {"enabled", d.okEnabled}}},
                {"CancelButton", {{"caption", d.cancelCaption}}},
            }};
}

ShownForm shownForm(const NoticeSnapshot& n) {
    return {kNoticeForm, {{"caption", n.caption}, {"LblWarning", n.warning}, {"OKButton", n.okCaption}}};
}

}  // namespace zelva::app
