// Defines the identifiers declared in the component's generated header, and
// IDispatchEx's, which MinGW's uuid library lacks.
#include <initguid.h>

#include <dispex.h>

#include "Zelvacorin.h"
