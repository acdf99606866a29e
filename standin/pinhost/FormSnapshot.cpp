#include "standin/pinhost/FormSnapshot.h"

#include <iterator>
#include <stdexcept>
#include <utility>

namespace zelva::pinhost {

using json = nlohmann::ordered_json;

namespace {

json shown(Shows shows, const ControlSnapshot& c) {
    switch (shows) {
        case Shows::Label: return c.text;
        case Shows::CheckBox: return c.value;
        case Shows::DropDownList:
            return {{"items", c.items}, {"itemData", c.itemData}, {"index", c.index}, {"enabled", c.enabled}};
        case Shows::EditableList: return {{"items", c.items}, {"text", c.text}};
        case Shows::TextBox: return {{"text", c.text}, {"visible", c.visible}};
        case Shows::DefaultButton: return {{"caption", c.text}, {"enabled", c.enabled}};
        case Shows::Button: return {{"caption", c.text}};
    }
    throw std::logic_error("a control shown in no known way");
}

}  // namespace

ShownForm shownForm(const DialogSnapshot& d) {
    json controls = {{"caption", d.caption}, {"top", d.top}, {"left", d.left}, {"tabs", d.tabs}, {"tab", d.tab}};
    if (d.controls.size() != std::size(kDialogControls))
        throw std::logic_error("a dialog snapshot without every control");
    for (size_t i = 0; i < d.controls.size(); ++i)
        controls[kDialogControls[i].name] = shown(kDialogControls[i].shows, d.controls[i]);
    return {kDialogForm, std::move(controls)};
}

ShownForm shownForm(const NoticeSnapshot& n) {
    return {kNoticeForm, {{"caption", n.caption}, {"LblWarning", n.warning}, {"OKButton", n.okCaption}}};
}

}  // namespace zelva::pinhost
