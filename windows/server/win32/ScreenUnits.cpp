#include "ScreenUnits.h"

#include <windows.h>

#include <array>

#include "core/ui/ScreenPlacement.h"

namespace zelva::server::win32 {

namespace {

// The screen's pixels per inch, asked of the screen once: the system's
// setting holds for the process's lifetime (a change takes effect at the next
// sign-in), and a screen's device context is a string of round trips to the
// window server under Wine.
int pixelsPerInch(Axis axis) {
    static const std::array<int, 2> perAxis = [] {
        HDC screen = GetDC(nullptr);
        const std::array<int, 2> dpi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
        ReleaseDC(nullptr, screen);
        return dpi;
    }();
    return perAxis[axis == Axis::Horizontal ? 0 : 1];
}

}  // namespace

int pixelsFromTwips(double twips, Axis axis) { return ui::pixelsFromTwips(twips, pixelsPerInch(axis)); }

float twipsFromPixels(int pixels, Axis axis) { return ui::twipsFromPixels(pixels, pixelsPerInch(axis)); }

}  // namespace zelva::server::win32
