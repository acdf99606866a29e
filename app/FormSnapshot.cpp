#include "app/FormSnapshot.h"

namespace zelva::app {

using json = nlohmann::ordered_json;

namespace {

json comboItems(const ui::ComboBox& c) {
    json items = json::array();
    for (int i = 0; i < c.listCount(); ++i) items.push_back(c.item(i));
    return items;
}

json dialogControls(const ui::Dialog& d) {
    json tabs = json::array();
    for (int i = 0; i < d.TabNorme.tabs(); ++i) tabs.push_back(d.TabNorme.tabCaption(i));
    json itemData = json::array();
    for (int i = 0; i < d.Normativa.listCount(); ++i) itemData.push_back(d.Normativa.itemData(i));
    return {
        {"caption", d.caption},
        {"top", d.top},
        {"left", d.left},
        {"tabs", tabs},
        {"tab", d.TabNorme.tab()},
        {"Normativa",
         {{"items", comboItems(d.Normativa)},
          {"itemData", itemData},
          {"index", d.Normativa.listIndex()},
          {"enabled", d.Normativa.enabled}}},
        {"Lunghezza", {{"items", comboItems(d.Lunghezza)}, {"text", d.Lunghezza.text()}}},
        {"Passo", {{"items", comboItems(d.Passo)}, {"text", d.Passo.text()}}},
        {"LblDescr", d.LblDescr.caption},
        {"lblTxtDiam", d.lblTxtDiam.caption},
        {"LblNormativa", d.LblNormativa.caption},
        {"LblDiam", d.LblDiam.caption},
        {"LblLung", d.LblLung.caption},
        {"LblPasso", d.LblPasso.caption},
        {"ToggleSmusso", d.ToggleSmusso.value()},
        {"ToggleMan", d.ToggleMan.value()},
        {"TxtDiam", {{"text", d.TxtDiam.text}, {"visible", d.TxtDiam.visible}}},
        {"OKButton", {{"caption", d.OKButton.caption}, {"enabled", d.OKButton.enabled}}},
        {"CancelButton", {{"caption", d.CancelButton.caption}}},
    };
}

}  // namespace

const char* formName(const ui::Form& form) { return form.kind() == ui::FormKind::Dialog ? "Dialog" : "DlgInfo"; }

json formControls(const ui::Form& form) {
    if (form.kind() == ui::FormKind::Dialog) return dialogControls(static_cast<const ui::Dialog&>(form));
    const auto& info = static_cast<const ui::DlgInfo&>(form);
    return {{"caption", info.caption}, {"LblWarning", info.LblWarning.caption}, {"OKButton", info.OKButton.caption}};
}

}  // namespace zelva::app
