#pragma once
// The DropHook class: the hook the host calls when the pin is dropped on a
// part, answering its dual interface _DropHook with the core's DropHook.

#include <windows.h>

namespace zelva::server {

HRESULT createDropHook(REFIID iid, void** out);

}  // namespace zelva::server
