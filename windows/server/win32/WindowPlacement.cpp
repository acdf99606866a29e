#include "WindowPlacement.h"

#include <algorithm>

namespace zelva::server::win32 {

namespace {

// A piece of title bar a person can take: its whole height, and this many
// times as wide as it is tall (about the caption's first word).
constexpr int kGripWidthPerHeight = 3;

RECT workAreaOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    return info.rcWork;
}

bool canBeTaken(const RECT& titleBar) {
    const HMONITOR monitor = MonitorFromRect(&titleBar, MONITOR_DEFAULTTONULL);
    if (!monitor) return false;
    const RECT work = workAreaOf(monitor);
    RECT shown;
    if (!IntersectRect(&shown, &titleBar, &work)) return false;
    const int height = titleBar.bottom - titleBar.top;
    return shown.bottom - shown.top == height && shown.right - shown.left >= kGripWidthPerHeight * height;
}

// The start of a span of `size` moved into [low, high); a span longer than
// that starts at `low`, so its beginning stays in view.
int within(int start, int size, int low, int high) { return std::max(low, std::min(start, high - size)); }

}  // namespace

POINT placeInView(HWND window, POINT corner) {
    RECT frame;
    GetWindowRect(window, &frame);
    POINT clientCorner{0, 0};
    ClientToScreen(window, &clientCorner);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int titleHeight = clientCorner.y - frame.top;
    const RECT titleBar{corner.x, corner.y, corner.x + width, corner.y + titleHeight};
    if (canBeTaken(titleBar)) return corner;
    const RECT wanted{corner.x, corner.y, corner.x + width, corner.y + height};
    const RECT work = workAreaOf(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST));
    return {within(corner.x, width, work.left, work.right), within(corner.y, height, work.top, work.bottom)};
}

}  // namespace zelva::server::win32
