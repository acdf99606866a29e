#pragma once
// The keyboard of the user at the screen: keys go down and up through
// SendInput, as the keyboard driver passes them, to the window that has the
// focus of the active window. Nothing is sent to a window directly.

#include <windows.h>

#include <string>

namespace zelva::win32user {

// A key pressed and released, with Shift held when asked.
void press(WORD key, bool shift = false);
// Each character typed on the keys that give it in the keyboard layout.
void typeKeys(const std::wstring& text);
// The child of `dialog` that has the keyboard focus (a list, not its edit
// field), or null when the focus is elsewhere.
HWND focusIn(HWND dialog);
// Makes `window` the active window, which receives the keys.
void activate(HWND window);

}  // namespace zelva::win32user
