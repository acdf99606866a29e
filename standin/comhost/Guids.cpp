// Defines IDispatchEx's identifier, which MinGW's uuid library lacks.
#include <initguid.h>

#include <dispex.h>
