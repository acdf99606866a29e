#pragma once
// The thread dialog's size matching (setting MatchSize): the standards list
// opens on the standard of the edge's diameter for a new pin, and on the edited
// pin's own standard on a double-click; a tab change matches the new list the
// same way, and ticking the manual diameter hands the choice back to the user.

#include "core/env/Module.h"

namespace zelva::forms {

// Whether the site turned matching on; read at each opening of the dialog.
bool MatchSizeOn(env::Module& m);

// Selects in the freshly filled standards list the standard of the module's
// target (nearest within tolerance, an edited pin's own first), or item 0 as
// without matching, and says in the description which it took. The remembered
// length stays when the standard lists it, else the nearest listed one.
void SelectMatchedStandard(env::Module& m);

// After the preferences of a new pin were applied: the matched standard's own
// pitch, and the remembered length fitted to its lengths.
void FitPreferencesToMatch(env::Module& m);

}  // namespace zelva::forms
