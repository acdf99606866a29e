// Defines the identifiers declared in the generated host-library header.
#include <initguid.h>

#include "IronCADAO.h"
