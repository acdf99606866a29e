#include "ToolTip.h"

#include <commctrl.h>

#include "windows/win32text/WideText.h"

namespace zelva::server::win32 {

ToolTip::ToolTip(HWND control)
    : control_(control),
      tip_(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, GetParent(control), nullptr, nullptr, nullptr)) {
    send(TTM_ADDTOOLW);
}

void ToolTip::show(const std::string& text) {
    std::wstring wide = win32text::widen(text);
    if (wide == text_) return;
    text_ = std::move(wide);
    send(TTM_UPDATETIPTEXTW);
}

void ToolTip::send(UINT message) {
    TTTOOLINFOW tool{};
    // The size of the first comctl32 versions' structure, which every version takes.
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control_);
    tool.uId = reinterpret_cast<UINT_PTR>(control_);
    tool.lpszText = text_.data();
    SendMessageW(tip_, message, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace zelva::server::win32
