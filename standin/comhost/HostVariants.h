#pragma once
// How the stand-in host reads and passes values across COM: strictly, since
// it checks the exact types the component hands it. A sim object crosses as a
// HostDispatch and comes back as itself; any other COM object arrives as a
// ForeignObject and goes back as the same COM object.

#include "windows/comvalues/ValuePolicy.h"

namespace zelva::comhost {

extern const comvalues::ValuePolicy kHostValues;

}  // namespace zelva::comhost
