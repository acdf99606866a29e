#pragma once
// A form model as the user sees it on the screen, for the transcript.

#include "standin/pinhost/FormSnapshot.h"
#include "core/ui/Dialog.h"

namespace zelva::corehost {

pinhost::ShownForm shownForm(const ui::Form& form);
const char* formName(const ui::Form& form);

}  // namespace zelva::corehost
