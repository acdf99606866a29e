#pragma once
// Placement by drag and drop: the host calls OnDragDrop when the pin's catalog
// item is dropped on a part. A drop on a circular edge of a millimetre page
// opens the thread parameter dialog; any other hit shows the edge notice.

#include "core/automation/Object.h"
#include "core/env/Module.h"

namespace zelva::shape {

class DropHook : public Object {
public:
    // The module must outlive the instance.
    explicit DropHook(env::Module& module) : module_(module) {}

    // Late binding: OnDragDrop, its only member.
    Variant invoke(std::string_view name, CallKind kind, std::span<const Arg> args) override;
    // OnDragDrop with its one argument, the host's drag-and-drop hook, as a call passes it.
    Variant onDragDrop(std::span<const Arg> args);

    void OnDragDrop(Ref<Object>& pDragDropHook);

private:
    void ReadHitEdge(Object& hook);

    env::Module& module_;
};

}  // namespace zelva::shape
