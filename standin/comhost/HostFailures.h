#pragma once
// Failures across COM as the host sees and raises them: a failed call of the
// component becomes an Error with the number and description it reported; an
// Error of the stand-in's objects becomes DISP_E_EXCEPTION with EXCEPINFO.

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "core/automation/Error.h"

namespace zelva::comhost {

// The Error of `hr`; without a description of its own it reads as the system
// describes the HRESULT.
Error errorWithText(HRESULT hr, const std::string& description);
// The Error of a failed vtable call, with the error information it left.
Error callError(HRESULT hr);
inline void checkCall(HRESULT hr) {
    if (FAILED(hr)) throw callError(hr);
}

// Fills `exception` (when given) from `error`: its description, and its
// HRESULT as the scode. Answers DISP_E_EXCEPTION.
HRESULT raiseException(const Error& error, EXCEPINFO* exception);

}  // namespace zelva::comhost
