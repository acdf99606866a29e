#include "ThreadDialogWindow.h"

#include <commctrl.h>

#include <utility>

#include "ControlIds.h"
#include "ControlMirror.h"
#include "ResourceIds.h"

namespace zelva::server::win32 {

using namespace ids;

namespace {

constexpr int kChamferPicture = 34;  // pixels

}  // namespace

ThreadDialogWindow::ThreadDialogWindow(ui::Dialog& dialog, ui::Ui& reporter, HINSTANCE resources)
    : FormWindow(dialog, reporter, resources), d_(dialog) {}

DialogTemplate ThreadDialogWindow::layoutTemplate() {
    constexpr DWORD visible = WS_VISIBLE;
    constexpr DWORD label = visible | SS_LEFT | SS_NOPREFIX;
    constexpr DWORD field = visible | WS_TABSTOP;
    DialogTemplate t = formTemplate(232, 150);
    t.add(StandardGroups, WC_TABCONTROLW, field | WS_CLIPSIBLINGS | TCS_MULTILINE | TCS_FIXEDWIDTH, {5, 4, 222, 15});
    t.add(Frame, ControlClass::Static, visible | SS_ETCHEDFRAME, {5, 19, 222, 104});
    t.add(StandardLabel, ControlClass::Static, label, {12, 27, 58, 8});
    t.add(Standards, ControlClass::ComboBox, field | CBS_DROPDOWNLIST | WS_VSCROLL, {72, 25, 148, 120});
    t.add(Description, ControlClass::Static, label, {12, 42, 208, 18});
    t.add(DiameterLabel, ControlClass::Static, label, {12, 66, 58, 8});
    t.add(Diameter, ControlClass::Static, label, {72, 66, 40, 8});
    // Wide enough for "Manuell" and "Manuale" beside the box.
    t.add(ManualSwitch, ControlClass::Button, field | BS_3STATE, {118, 65, 44, 10});
    t.add(ManualDiameter, ControlClass::Edit, field | WS_BORDER | ES_AUTOHSCROLL, {164, 64, 40, 12});
    t.add(LengthLabel, ControlClass::Static, label, {12, 85, 58, 8});
    t.add(Lengths, ControlClass::ComboBox, field | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, {72, 83, 70, 120});
    t.add(PitchLabel, ControlClass::Static, label, {12, 103, 58, 8});
    t.add(Pitches, ControlClass::ComboBox, field | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, {72, 101, 70, 120});
    t.add(Chamfer, ControlClass::Button, field | BS_3STATE | BS_PUSHLIKE | BS_ICON, {170, 83, 30, 30});
    t.add(Ok, ControlClass::Button, field | BS_DEFPUSHBUTTON, {118, 129, 52, 15});
    t.add(Cancel, ControlClass::Button, field | BS_PUSHBUTTON, {175, 129, 52, 15});
    return t;
}

void ThreadDialogWindow::create() {
    const auto picture = LoadImageW(resources(), MAKEINTRESOURCEW(IDI_CHAMFER), IMAGE_ICON, kChamferPicture,
                                    kChamferPicture, LR_SHARED);
    SendMessageW(item(Chamfer), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture));
    chamferTip_ = std::make_unique<ToolTip>(item(Chamfer));
}

void ThreadDialogWindow::show() {
    showTabStrip(item(StandardGroups), d_.TabNorme);
    showLabel(item(StandardLabel), d_.LblNormativa, fonts());
    showComboBox(item(Standards), d_.Normativa);
    showLabel(item(Description), d_.LblDescr, fonts());
    showLabel(item(DiameterLabel), d_.LblDiam, fonts());
    showLabel(item(Diameter), d_.lblTxtDiam, fonts());
    showCheckBox(item(ManualSwitch), d_.ToggleMan);
    showTextBox(item(ManualDiameter), d_.TxtDiam);
    showLabel(item(LengthLabel), d_.LblLung, fonts());
    showComboBox(item(Lengths), d_.Lunghezza);
    showLabel(item(PitchLabel), d_.LblPasso, fonts());
    showComboBox(item(Pitches), d_.Passo);
    showCheckBox(item(Chamfer), d_.ToggleSmusso);
    chamferTip_->show(d_.ToggleSmusso.toolTip);
    showButton(item(Ok), d_.OKButton);
    showButton(item(Cancel), d_.CancelButton);
}

FormWindow::Action ThreadDialogWindow::commandAction(int id, int code, HWND control) {
    switch (id) {
        case Standards: return when(code == CBN_SELCHANGE, [this, control] { pickListItem(control, d_.Normativa); });
        case Lengths: return editableListAction(d_.Lunghezza, code, control);
        case Pitches: return editableListAction(d_.Passo, code, control);
        case ManualDiameter:
            return when(code == EN_CHANGE, [this, control] { d_.TxtDiam.text = windowText(control); });
        case ManualSwitch: return when(code == BN_CLICKED, [this] { clickCheckBox(d_.ToggleMan); });
        case Chamfer: return when(code == BN_CLICKED, [this] { clickCheckBox(d_.ToggleSmusso); });
        case Ok: return when(code == BN_CLICKED, [this] { pressButton(d_.OKButton); });
        case Cancel: return when(code == BN_CLICKED, [this] { pressButton(d_.CancelButton); });
        default: return {};
    }
}

FormWindow::Action ThreadDialogWindow::editableListAction(ui::ComboBox& list, int code, HWND control) {
    if (code == CBN_SELCHANGE) return [&list, control] { pickListItem(control, list); };
    return when(code == CBN_EDITCHANGE, [&list, control] { list.setText(windowText(control)); });
}

int ThreadDialogWindow::controlId(const ui::Control& control) const { return windowOf(control.name); }

FormWindow::Action ThreadDialogWindow::notifyAction(const NMHDR& header) {
    if (header.idFrom != StandardGroups || header.code != static_cast<UINT>(TCN_SELCHANGE)) return {};
    HWND strip = header.hwndFrom;
    return [this, strip] { pickTab(strip, d_.TabNorme); };
}

}  // namespace zelva::server::win32
