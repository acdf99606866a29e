#pragma once
// The tool tip of one control, showing the text its model gives.

#include <windows.h>

#include <string>

namespace zelva::server::win32 {

class ToolTip {
public:
    // The tip belongs to `control`'s dialog and goes with it.
    explicit ToolTip(HWND control);
    void show(const std::string& text);

private:
    void send(UINT message);

    HWND control_;
    HWND tip_;
    std::wstring text_;
};

}  // namespace zelva::server::win32
