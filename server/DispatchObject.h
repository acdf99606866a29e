#pragma once
// A host object reached through IDispatch, as a core automation object: its
// members are resolved by name (case-insensitively, also for script objects)
// and invoked with the exact VARIANT types of the core's arguments.

#include <windows.h>
#include <oaidl.h>

#include "automation/Object.h"
#include "ComPtr.h"

namespace zelva::server {

class DispatchObject final : public Object {
public:
    explicit DispatchObject(ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {}

    // Get and Method are invoked as DISPATCH_PROPERTYGET|DISPATCH_METHOD, as
    // late-bound clients do; Put as DISPATCH_PROPERTYPUT. By-reference
    // arguments are passed VT_BYREF and receive what the member leaves in them.
    Variant invoke(std::string_view name, CallKind kind, std::span<const Arg> args) override;

    IDispatch* dispatch() const { return dispatch_.get(); }

private:
    DISPID dispIdOf(std::string_view name) const;

    ComPtr<IDispatch> dispatch_;
};

// The core object for an IDispatch reference; a null reference is Nothing.
Ref<Object> objectOf(IDispatch* dispatch);
// The IDispatch reference behind a core object; Nothing is null. Only objects
// that came from COM can go back: any other is a type mismatch.
ComPtr<IDispatch> dispatchOf(const Ref<Object>& object);

}  // namespace zelva::server
