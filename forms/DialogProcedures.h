#pragma once
// The thread parameter dialog's procedures: opening sequence, tabs, standards
// list, lengths and pitches. They work on the module's single dialog instance.

#include <cstdint>
#include <string>

#include "env/Module.h"

namespace zelva::forms {

// The section of a group's index file that lists its standards, and the index
// file of the current group (StandardsDir + IniFileName).
constexpr int16_t kStandardsSection = 1;
std::string indexFilePath(const env::Module& m);

void InitDialog(env::Module& m);
void FillStandardTabs(env::Module& m);
void SelectStandard(env::Module& m, int16_t tab);
void RefreshThreadList(env::Module& m);
void FillThreadList(env::Module& m);
void FillLengthsAndPitches(env::Module& m, int16_t lineNo);
void EnableThreadSelection(env::Module& m, int16_t flag);

}  // namespace zelva::forms
