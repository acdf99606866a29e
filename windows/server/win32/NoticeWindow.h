#pragma once
// The edge selection notice (ui::DlgInfo) as a window: the information
// picture, the warning, a separator line and OK.

#include "FormWindow.h"
#include "core/ui/Dialog.h"

namespace zelva::server::win32 {

class NoticeWindow : public FormWindow {
public:
    NoticeWindow(ui::DlgInfo& notice, ui::Ui& reporter, HINSTANCE resources);

private:
    DialogTemplate layout() const override;
    void create() override;
    void show() override;
    Action commandAction(int id, int code, HWND control) override;

    ui::DlgInfo& notice_;
};

}  // namespace zelva::server::win32
