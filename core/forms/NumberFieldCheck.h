#pragma once
#include "core/env/Module.h"

namespace zelva::forms {

// OK's check of the texts that become the pin's numbers: the manual diameter
// (while Man. is ticked), the length and the pitch, in the dialog's order. A
// text is refused when it does not read as a positive number, or when its
// number is followed by a comma and digits ("1,5" would be read as 1, a pin
// the user did not mean). The first refused field is named with its text in a
// message in the dialog's language and asked for the focus. Whether one was.
bool RefuseUnreadableNumbers(env::Module& m);

}  // namespace zelva::forms
