#pragma once
// Where a form's window stands. A remembered place is kept while a person can
// still take the window by its title bar there; otherwise (a screen removed, a
// resolution lowered, a preferences file edited by hand) the window comes into
// the work area of the nearest screen, moved no further than it takes.

#include <windows.h>

namespace zelva::server::win32 {

// The top left corner for `window`, at its present size, wanted at `corner`.
POINT placeInView(HWND window, POINT corner);

}  // namespace zelva::server::win32
