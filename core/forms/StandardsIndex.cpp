#include "core/forms/StandardsIndex.h"

namespace zelva::forms {

std::string indexFilePath(const env::Module& m) { return m.StandardsDir + m.IniFileName; }

}  // namespace zelva::forms
