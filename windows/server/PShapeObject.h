#pragma once
// The PShape class: the pin shape, answering its dual interface _PShape and
// the host's IC2DProjectedThreads with the members of the core's PShape.

#include <windows.h>

namespace zelva::server {

HRESULT createPShape(REFIID iid, void** out);

}  // namespace zelva::server
