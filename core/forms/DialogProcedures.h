#pragma once
// The thread parameter dialog's procedures: opening sequence, tabs, standards
// list, lengths and pitches. They work on the module's single dialog instance.

#include <cstdint>
#include <string>

#include "core/env/Module.h"

namespace zelva::forms {

void InitDialog(env::Module& m);
void FillStandardTabs(env::Module& m);
void SelectStandard(env::Module& m, int16_t tab);
void RefreshThreadList(env::Module& m);
void FillThreadList(env::Module& m);
void FillLengthsAndPitches(env::Module& m, int16_t lineNo);
void EnableThreadSelection(env::Module& m, int16_t flag);

}  // namespace zelva::forms
