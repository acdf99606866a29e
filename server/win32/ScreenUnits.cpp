#include "ScreenUnits.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

namespace zelva::win32 {

namespace {

constexpr double kTwipsPerInch = 1440;
// Windows keeps a window's coordinates within 16 bits; a place beyond them
// (a preferences file edited by hand) is taken as the farthest one.
constexpr double kFarthestPixel = 32767;

int pixelsPerInch(Axis axis) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, axis == Axis::Horizontal ? LOGPIXELSX : LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

int pixelsFromTwips(double twips, Axis axis) {
    const double pixels = twips * pixelsPerInch(axis) / kTwipsPerInch;
    return static_cast<int>(std::lround(std::clamp(pixels, -kFarthestPixel - 1, kFarthestPixel)));
}

float twipsFromPixels(int pixels, Axis axis) {
    return static_cast<float>(std::round(pixels * kTwipsPerInch / pixelsPerInch(axis)));
}

}  // namespace zelva::win32
