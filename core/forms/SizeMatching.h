#pragma once
// The thread dialog's size matching (setting MatchSize): the standards list
// opens on the standard of the edge's diameter for a new pin, and on the edited
// pin's own standard on a double-click; a tab change matches the new list the
// same way, and ticking the manual diameter hands the choice back to the user.

#include <optional>

#include "core/env/EntrySizes.h"
#include "core/env/Module.h"
#include "core/env/Preferences.h"

namespace zelva::forms {

// The size the dialog matches its standards to: the edge's diameter for a new
// pin, the pin's diameter and pitch in an edit.
struct SizeTarget {
    double diameter = 0;
    std::optional<double> pitch;  // an edited pin's
    bool matched = false;         // the standards list shows the target's standard
};

// The matching of the module's dialog, kept by its events from one opening to
// the next: the target (none while off, or once the user types the diameter),
// and the nominal diameters of the standards list, read with it.
struct SizeMatch {
    std::optional<SizeTarget> target;
    env::EntrySizes nominals;
};

// Whether the site turned matching on; read at each opening of the dialog.
bool MatchSizeOn(env::Module& m);

// Selects in the freshly filled standards list the standard of the target
// (nearest within tolerance, an edited pin's own first), or item 0 as without
// matching, and says in the description which it took. The length shown stays
// when the standard lists it, else the nearest listed one.
void SelectMatchedStandard(env::Module& m, SizeMatch& match);

// Shows the length and pitch the opening remembered, the last new pin's or
// the edited pin's own: a new pin matched to a standard gets its first pitch
// and the remembered length fitted to its lengths; otherwise the texts show
// as they were remembered.
void ShowRememberedSize(env::Module& m, const SizeMatch& match, const env::RememberedSize& remembered);

}  // namespace zelva::forms
