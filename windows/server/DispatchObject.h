#pragma once
// A host object reached through IDispatch, as a core automation object: its
// members are resolved by name (case-insensitively, also for script objects)
// and invoked with the exact VARIANT types of the core's arguments.

#include <windows.h>
#include <oaidl.h>

#include "core/automation/Object.h"
#include "windows/comvalues/ComPtr.h"
#include "windows/comvalues/RecycledBlocks.h"
#include "windows/comvalues/ValuePolicy.h"

namespace zelva::server {

class DispatchObject final : public Object, public comvalues::Recycled<DispatchObject> {
public:
    explicit DispatchObject(comvalues::ComPtr<IDispatch> dispatch);

    // Invoked as comvalues/DispatchCall.h describes.
    Variant invoke(std::string_view name, CallKind kind, std::span<const Arg> args) override;

    IDispatch* dispatch() const { return dispatch_.get(); }

private:
    DISPID dispIdOf(std::string_view name) const;

    comvalues::ComPtr<IDispatch> dispatch_;
};

// How the component reads and passes values across COM: leniently, for any
// automation client; only objects that came from COM can go back.
extern const comvalues::ValuePolicy kComponentValues;

// The core object for an IDispatch reference; a null reference is Nothing.
Ref<Object> objectOf(IDispatch* dispatch);
// The IDispatch reference behind a core object; Nothing is null. Only objects
// that came from COM can go back: any other is a type mismatch.
comvalues::ComPtr<IDispatch> dispatchOf(const Ref<Object>& object);

}  // namespace zelva::server
