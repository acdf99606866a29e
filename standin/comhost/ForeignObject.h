#pragma once
// A COM object that is not the stand-in's own (the component's objects, the
// host library's) as a core automation object, so that the stand-in can call
// it and hold it like its own: members by name, exact VARIANT types, values
// of by-reference arguments written back, failures as Errors.

#include <windows.h>
#include <oaidl.h>

#include "core/automation/Object.h"
#include "windows/comvalues/ComPtr.h"
#include "windows/comvalues/ValuePolicy.h"

namespace zelva::comhost {

class ForeignObject final : public Object {
public:
    // Holds a reference of its own to `dispatch`; `values` says how its
    // arguments are passed and its answers read.
    ForeignObject(IDispatch* dispatch, const comvalues::ValuePolicy& values);

    // Invoked as comvalues/DispatchCall.h describes.
    Variant invoke(std::string_view name, CallKind kind, std::span<const Arg> args) override;

    IDispatch* dispatch() const { return dispatch_.get(); }

private:
    comvalues::ComPtr<IDispatch> dispatch_;
    const comvalues::ValuePolicy& values_;
};

}  // namespace zelva::comhost
