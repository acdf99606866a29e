#include "NoticeWindow.h"

#include "ControlIds.h"
#include "ControlMirror.h"
#include "ResourceIds.h"

namespace zelva::server::win32 {

using namespace ids;

namespace {

constexpr int kPicture = 32;  // pixels

}  // namespace

NoticeWindow::NoticeWindow(ui::DlgInfo& notice, ui::Ui& reporter, HINSTANCE resources)
    : FormWindow(notice, reporter, resources), notice_(notice) {}

DialogTemplate NoticeWindow::layout() const {
    DialogTemplate t = formTemplate(220, 80);
    t.add(Picture, ControlClass::Static, WS_VISIBLE | SS_ICON, {10, 10, 21, 20});
    t.add(Warning, ControlClass::Static, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, {40, 12, 172, 32});
    t.add(Separator, ControlClass::Static, WS_VISIBLE | SS_ETCHEDHORZ, {6, 52, 208, 1});
    t.add(NoticeOk, ControlClass::Button, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, {84, 59, 52, 15});
    return t;
}

void NoticeWindow::create() {
    const auto picture =
        LoadImageW(resources(), MAKEINTRESOURCEW(IDI_NOTICE), IMAGE_ICON, kPicture, kPicture, LR_SHARED);
    SendMessageW(item(Picture), STM_SETICON, reinterpret_cast<WPARAM>(picture), 0);
}

void NoticeWindow::show() {
    showLabel(item(Warning), notice_.LblWarning, fonts());
    showButton(item(NoticeOk), notice_.OKButton);
}

FormWindow::Action NoticeWindow::commandAction(int id, int code, HWND) {
    return when(id == NoticeOk && code == BN_CLICKED, [this] { pressButton(notice_.OKButton); });
}

}  // namespace zelva::server::win32
