#pragma once
// The preferences file: six lines that remember the thread parameter dialog's
// last state (position, tab, length, pitch, chamfer) for the next new pin.

#include <optional>
#include <string>

#include "core/env/Module.h"

namespace zelva::env {

// The length and pitch texts the file remembers, as far as it was read.
struct RememberedSize {
    std::optional<std::string> length, pitch;
};

// Fills the dialog's position, tab and chamfer from the preferences file, and
// answers the remembered length and pitch for the dialog's procedures to show.
// A missing file shows nothing; any other failure shows one message box;
// values read before it stay.
RememberedSize ReadPrefs(Module& m);
// Writes the dialog's state. The previous file is replaced only once the new
// one is complete, so a failure never loses it; a failure shows one message box.
void WritePrefs(Module& m);

}  // namespace zelva::env
