#pragma once
// Failures of calls into COM objects, read the same way on both sides: the
// exception an IDispatch::Invoke raised, the error information a vtable call
// left, and the system's text for an HRESULT that came with no description.

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "core/automation/Error.h"
#include "windows/comvalues/ValuePolicy.h"

namespace zelva::comvalues {

// The system's text for `hr` without its line end; "Automation error" when
// the system has none.
std::string systemText(HRESULT hr);

// The Error of a failed IDispatch::Invoke: the number and description of the
// exception it raised, or its HRESULT. Frees the strings of `exception`.
Error invokeError(HRESULT hr, EXCEPINFO& exception, const ValuePolicy& policy);

// The description of the thread's error information, which it takes; empty
// when there is none.
std::string takeErrorInfoText();

}  // namespace zelva::comvalues
