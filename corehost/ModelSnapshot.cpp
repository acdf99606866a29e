#include "corehost/ModelSnapshot.h"

namespace zelva::app {

namespace {

std::vector<std::string> comboItems(const ui::ComboBox& c) {
    std::vector<std::string> items;
    for (int i = 0; i < c.listCount(); ++i) items.push_back(c.item(i));
    return items;
}

DialogSnapshot dialogSnapshot(const ui::Dialog& d) {
    DialogSnapshot s;
    s.caption = d.caption;
    s.top = d.top;
    s.left = d.left;
    for (int i = 0; i < d.TabNorme.tabs(); ++i) s.tabs.push_back(d.TabNorme.tabCaption(i));
    s.tab = d.TabNorme.tab();
    s.standards.items = comboItems(d.Normativa);
    for (int i = 0; i < d.Normativa.listCount(); ++i) s.standards.itemData.push_back(d.Normativa.itemData(i));
    s.standards.index = d.Normativa.listIndex();
    s.standards.enabled = d.Normativa.enabled;
    s.lengths.items = comboItems(d.Lunghezza);
    s.lengths.text = d.Lunghezza.text();
    s.pitches.items = comboItems(d.Passo);
    s.pitches.text = d.Passo.text();
    s.description = d.LblDescr.caption;
    s.diameter = d.lblTxtDiam.caption;
    s.standardLabel = d.LblNormativa.caption;
    s.diameterLabel = d.LblDiam.caption;
    s.lengthLabel = d.LblLung.caption;
    s.pitchLabel = d.LblPasso.caption;
    s.chamfer = d.ToggleSmusso.value();
    s.manual = d.ToggleMan.value();
    s.manualDiameter = d.TxtDiam.text;
    s.manualDiameterVisible = d.TxtDiam.visible;
    s.okCaption = d.OKButton.caption;
    s.okEnabled = d.OKButton.enabled;
    s.cancelCaption = d.CancelButton.caption;
    return s;
}

}  // namespace

const char* formName(const ui::Form& form) { return form.kind() == ui::FormKind::Dialog ? kDialogForm : kNoticeForm; }

ShownForm shownForm(const ui::Form& form) {
    if (form.kind() == ui::FormKind::Dialog) return shownForm(dialogSnapshot(static_cast<const ui::Dialog&>(form)));
    const auto& info = static_cast<const ui::DlgInfo&>(form);
    return shownForm(NoticeSnapshot{info.caption, info.LblWarning.caption, info.OKButton.caption});
}

}  // namespace zelva::app
