#pragma once
// Where the two sides of the COM boundary differ: the component, serving any
// automation client, and pinhost.exe, the stand-in host that checks the exact
// types the component hands it. Everything else about values and failures
// crossing COM is the same on both sides.

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "core/automation/Error.h"
#include "core/automation/Object.h"

namespace zelva::comvalues {

enum class Reading {
    // Any other numeric type reads as R8, as script clients pass what they hold.
    Lenient,
    // Any other type is a type mismatch; an IUnknown reads as the object it
    // dispatches through and a missing optional argument as Empty.
    Strict,
};

struct ValuePolicy {
    Reading reading;
    // A COM object, never null, as a core object.
    Ref<Object> (*objectOf)(IDispatch* dispatch);
    // A core object, never Nothing, as a reference of its own for COM.
    IDispatch* (*dispatchOf)(const Ref<Object>& object);
    // The Error of a failed call: the HRESULT and the callee's description
    // (empty when it left none).
    Error (*failure)(HRESULT hr, const std::string& description);
};

}  // namespace zelva::comvalues
