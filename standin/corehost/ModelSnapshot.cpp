#include "standin/corehost/ModelSnapshot.h"

#include <stdexcept>
#include <string_view>
#include <variant>

namespace zelva::corehost {

namespace {

using ModelControl =
    std::variant<const ui::Label*, const ui::TextBox*, const ui::CheckBox*, const ui::ComboBox*, const ui::CommandButton*>;

// Every control of the dialog model the transcript may show, the tab strip aside.
std::vector<ModelControl> controlsOf(const ui::Dialog& d) {
    return {&d.TxtDiam,  &d.ToggleMan, &d.ToggleSmusso, &d.Normativa,    &d.Lunghezza, &d.Passo,
            &d.LblDescr, &d.LblLung,   &d.LblNormativa, &d.LblDiam,      &d.LblPasso,  &d.lblTxtDiam,
            &d.CancelButton, &d.OKButton};
}

pinhost::ControlSnapshot snapshotOf(const ui::Label& label) {
    pinhost::ControlSnapshot s;
    s.text = label.caption;
    return s;
}

pinhost::ControlSnapshot snapshotOf(const ui::TextBox& box) {
    pinhost::ControlSnapshot s;
    s.text = box.text;
    s.visible = box.visible;
    return s;
}

pinhost::ControlSnapshot snapshotOf(const ui::CheckBox& box) {
    pinhost::ControlSnapshot s;
    s.value = box.value();
    return s;
}

pinhost::ControlSnapshot snapshotOf(const ui::ComboBox& list) {
    pinhost::ControlSnapshot s;
    for (int i = 0; i < list.listCount(); ++i) {
        s.items.push_back(list.item(i));
        s.itemData.push_back(list.itemData(i));
    }
    s.index = list.listIndex();
    s.text = list.text();
    s.enabled = list.enabled;
    return s;
}

pinhost::ControlSnapshot snapshotOf(const ui::CommandButton& button) {
    pinhost::ControlSnapshot s;
    s.text = button.caption;
    s.enabled = button.enabled;
    return s;
}

pinhost::ControlSnapshot controlSnapshot(const std::vector<ModelControl>& controls, std::string_view name) {
    for (const ModelControl& control : controls) {
        if (std::visit([&](auto* c) { return c->name == name; }, control))
            return std::visit([](auto* c) { return snapshotOf(*c); }, control);
    }
    throw std::logic_error("the dialog model has no control " + std::string(name));
}

pinhost::DialogSnapshot dialogSnapshot(const ui::Dialog& d) {
    pinhost::DialogSnapshot s;
    s.caption = d.caption;
    s.top = d.top;
    s.left = d.left;
    for (int i = 0; i < d.TabNorme.tabs(); ++i) s.tabs.push_back(d.TabNorme.tabCaption(i));
    s.tab = d.TabNorme.tab();
    const std::vector<ModelControl> controls = controlsOf(d);
    return pinhost::withControls(std::move(s), [&](const pinhost::DialogControl& c) { return controlSnapshot(controls, c.name); });
}

}  // namespace

const char* formName(const ui::Form& form) { return form.kind() == ui::FormKind::Dialog ? pinhost::kDialogForm : pinhost::kNoticeForm; }

pinhost::ShownForm shownForm(const ui::Form& form) {
    if (form.kind() == ui::FormKind::Dialog) return shownForm(dialogSnapshot(static_cast<const ui::Dialog&>(form)));
    const auto& info = static_cast<const ui::DlgInfo&>(form);
    return shownForm(pinhost::NoticeSnapshot{info.caption, info.LblWarning.caption, info.OKButton.caption});
}

}  // namespace zelva::corehost
