#include "ScreenUnits.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace zelva::server::win32 {

namespace {

constexpr double kTwipsPerInch = 1440;
// Windows keeps a window's coordinates within 16 bits; a place beyond them
// (a preferences file edited by hand) is taken as the farthest one.
constexpr double kFarthestPixel = 32767;

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

int pixelsFromTwips(double twips, Axis axis) {
    const double pixels = twips * pixelsPerInch(axis) / kTwipsPerInch;
    return static_cast<int>(std::lround(std::clamp(pixels, -kFarthestPixel - 1, kFarthestPixel)));
}

float twipsFromPixels(int pixels, Axis axis) {
    return static_cast<float>(std::round(pixels * kTwipsPerInch / pixelsPerInch(axis)));
}

}  // namespace zelva::server::win32
