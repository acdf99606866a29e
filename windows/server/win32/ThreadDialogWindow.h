#pragma once
// The thread parameter dialog (ui::Dialog) as a window: the strip of standards
// groups, the standards list with its description, the diameter, the editable
// length and pitch lists, the chamfer switch with its picture, OK and Cancel.

#include <memory>

#include "FormWindow.h"
#include "ToolTip.h"
#include "core/ui/Dialog.h"

namespace zelva::server::win32 {

class ThreadDialogWindow : public FormWindow {
public:
    ThreadDialogWindow(ui::Dialog& dialog, ui::Ui& reporter, HINSTANCE resources);

    // The dialog's controls, laid out in dialog units, without their contents.
    static DialogTemplate layoutTemplate();

private:
    DialogTemplate layout() const override { return layoutTemplate(); }
    void create() override;
    void show() override;
    Action commandAction(int id, int code, HWND control) override;
    Action notifyAction(const NMHDR& header) override;
    int controlId(const ui::Control& control) const override;
    static Action editableListAction(ui::ComboBox& list, int code, HWND control);

    ui::Dialog& d_;
    std::unique_ptr<ToolTip> chamferTip_;
};

}  // namespace zelva::server::win32
