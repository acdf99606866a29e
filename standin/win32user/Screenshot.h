#pragma once
// A window pictured as it is on the screen, by a script of the machine
// underneath Wine (ZELVA_SCREENSHOT_SCRIPT) into ZELVA_SCREENSHOT_DIR: for the
// dialog tests' pictures and for pinhost.exe's, when a run asks for them.

#include <windows.h>

#include <string>

namespace zelva::win32user {

// Saves `window` as it is on the screen as `name`.png in ZELVA_SCREENSHOT_DIR.
// Returns false, doing nothing, when no folder is configured (no screen to take).
bool screenshot(HWND window, const std::string& name);

}  // namespace zelva::win32user
