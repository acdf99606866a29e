#pragma once
// Where a form's window opens. A remembered place is kept while a person can
// still take the window by its title bar there; otherwise (a screen removed, a
// resolution lowered, a preferences file edited by hand) the window comes into
// the work area of the nearest screen, moved no further than it takes. The
// user interface port supplies the screens' work areas.

#include <span>

namespace zelva::ui {

// The forms measure in twips (1440 to the inch), the windows in pixels of the
// screen; a window's pixel stays within 16 bits, so a place beyond them (a
// preferences file edited by hand) is taken as the farthest one.
int pixelsFromTwips(double twips, int pixelsPerInch);
float twipsFromPixels(int pixels, int pixelsPerInch);

// A rectangle on the screens, in pixels; right and bottom lie outside it.
struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct ScreenPoint {
    int x = 0, y = 0;
};

// The top left corner for a window whose frame is `frame` once placed at
// the wanted corner (frame.left, frame.top), with a title bar `titleHeight`
// pixels high, on screens of these work areas. Without a screen, the wanted
// corner.
ScreenPoint placeInView(const ScreenRect& frame, int titleHeight, std::span<const ScreenRect> workAreas);

}  // namespace zelva::ui
