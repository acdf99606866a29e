#pragma once
// The forms measure in twips (1440 to the inch), the windows in pixels of the screen.

namespace zelva::server::win32 {

enum class Axis { Horizontal, Vertical };

// Within the 16-bit range of window coordinates.
int pixelsFromTwips(double twips, Axis axis);
float twipsFromPixels(int pixels, Axis axis);

}  // namespace zelva::server::win32
