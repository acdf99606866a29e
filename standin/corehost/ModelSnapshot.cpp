#include "standin/corehost/ModelSnapshot.h"

#include <stdexcept>
#include <string_view>
#include <variant>

namespace zelva::corehost {

namespace {

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

// The tab strip shows as the dialog's tabs, not as one of its controls.
pinhost::ControlSnapshot snapshotOf(const ui::TabStrip&) {
    throw std::logic_error("the tab strip is no control of the transcript");
}

pinhost::ControlSnapshot controlSnapshot(const std::vector<ui::TypedControl>& controls, std::string_view name) {
    for (const ui::TypedControl& control : controls) {
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
    const std::vector<ui::TypedControl> controls = d.controls();
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
