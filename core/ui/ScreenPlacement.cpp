#include "core/ui/ScreenPlacement.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zelva::ui {

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kFarthestPixel = 32767;

// A piece of title bar a person can take: its whole height, and this many
// times as wide as it is tall (about the caption's first word).
constexpr int kGripWidthPerHeight = 3;

ScreenRect overlap(const ScreenRect& a, const ScreenRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

int64_t area(const ScreenRect& r) {
    return r.right > r.left && r.bottom > r.top ? int64_t{r.right - r.left} * (r.bottom - r.top) : 0;
}

// How far `r` lies from `work`, squared; 0 when they touch or overlap.
int64_t distanceSquared(const ScreenRect& r, const ScreenRect& work) {
    const int64_t dx = std::max({0, work.left - r.right, r.left - work.right});
    const int64_t dy = std::max({0, work.top - r.bottom, r.top - work.bottom});
    return dx * dx + dy * dy;
}

// The work area that holds most of `r`; failing that, the closest one (the
// first of equals), as the system picks a window's screen.
const ScreenRect* screenOf(const ScreenRect& r, std::span<const ScreenRect> workAreas, bool nearestWhenApart) {
    const ScreenRect* best = nullptr;
    int64_t bestArea = 0;
    for (const ScreenRect& work : workAreas) {
        const int64_t shared = area(overlap(r, work));
        if (shared > bestArea) best = &work, bestArea = shared;
    }
    if (best || !nearestWhenApart || workAreas.empty()) return best;
    return &*std::min_element(workAreas.begin(), workAreas.end(), [&](const ScreenRect& a, const ScreenRect& b) {
        return distanceSquared(r, a) < distanceSquared(r, b);
    });
}

bool canBeTaken(const ScreenRect& titleBar, std::span<const ScreenRect> workAreas) {
    const ScreenRect* work = screenOf(titleBar, workAreas, false);
    if (!work) return false;
    const ScreenRect shown = overlap(titleBar, *work);
    const int height = titleBar.bottom - titleBar.top;
    return shown.bottom - shown.top == height && shown.right - shown.left >= kGripWidthPerHeight * height;
}

// The start of a span of `size` moved into [low, high); a span longer than
// that starts at `low`, so its beginning stays in view.
int within(int start, int size, int low, int high) { return std::max(low, std::min(start, high - size)); }

}  // namespace

int pixelsFromTwips(double twips, int pixelsPerInch) {
    const double pixels = twips * pixelsPerInch / kTwipsPerInch;
    return static_cast<int>(std::lround(std::clamp(pixels, -kFarthestPixel - 1, kFarthestPixel)));
}

float twipsFromPixels(int pixels, int pixelsPerInch) {
    return static_cast<float>(std::round(pixels * kTwipsPerInch / pixelsPerInch));
}

ScreenPoint placeInView(const ScreenRect& frame, int titleHeight, std::span<const ScreenRect> workAreas) {
    const ScreenPoint wanted{frame.left, frame.top};
    const ScreenRect titleBar{frame.left, frame.top, frame.right, frame.top + titleHeight};
    if (workAreas.empty() || canBeTaken(titleBar, workAreas)) return wanted;
    const ScreenRect& work = *screenOf(frame, workAreas, true);
    return {within(frame.left, frame.right - frame.left, work.left, work.right),
            within(frame.top, frame.bottom - frame.top, work.top, work.bottom)};
}

}  // namespace zelva::ui
