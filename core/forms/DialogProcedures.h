#pragma once
// The thread parameter dialog's procedures: opening sequence, tabs, standards
// list, lengths and pitches. They work on the module's single dialog instance
// and on its size matching, which the dialog's events keep.

#include <cstdint>
#include <string>

#include "core/env/Module.h"
#include "core/forms/SizeMatching.h"

namespace zelva::forms {

void InitDialog(env::Module& m, SizeMatch& match);
void FillStandardTabs(env::Module& m);
void SelectStandard(env::Module& m, int16_t tab, SizeMatch& match);
void RefreshThreadList(env::Module& m, SizeMatch& match);
void FillThreadList(env::Module& m, SizeMatch& match);
void FillLengthsAndPitches(env::Module& m, int16_t lineNo);
void EnableThreadSelection(env::Module& m, int16_t flag);

}  // namespace zelva::forms
