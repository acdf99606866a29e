#pragma once
// The preferences file: six lines that remember the thread parameter dialog's
// last state (position, tab, length, pitch, chamfer) for the next new pin.

#include "core/env/Module.h"

namespace zelva::env {

// Fills the dialog from the preferences file. A missing file shows nothing;
// any other failure shows one message box; values applied before it stay.
void ReadPrefs(Module& m);
// Writes the dialog's state. The previous file is replaced only once the new
// one is complete, so a failure never loses it; a failure shows one message box.
void WritePrefs(Module& m);

}  // namespace zelva::env
