#include "ScreenUnits.h"

#include <windows.h>

#include <cmath>

namespace zelva::win32 {

namespace {

constexpr double kTwipsPerInch = 1440;

int pixelsPerInch(Axis axis) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, axis == Axis::Horizontal ? LOGPIXELSX : LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

int pixelsFromTwips(double twips, Axis axis) {
    return static_cast<int>(std::lround(twips * pixelsPerInch(axis) / kTwipsPerInch));
}

float twipsFromPixels(int pixels, Axis axis) {
    return static_cast<float>(std::round(pixels * kTwipsPerInch / pixelsPerInch(axis)));
}

}  // namespace zelva::win32
