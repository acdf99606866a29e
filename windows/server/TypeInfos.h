#pragma once
// The type information of the dual interfaces the server's objects answer:
// its own two from the type library inside this DLL, the host's
// IC2DProjectedThreads from the host's registered library. Each is loaded on
// first use and kept until the DLL may unload.

#include <windows.h>
#include <oaidl.h>

namespace zelva::server {

enum class DualInterface { DropHook, PShape, ProjectedThreads };

// A new reference in `*info`; null when the information cannot be loaded.
HRESULT typeInfoOf(DualInterface which, ITypeInfo** info);
void releaseTypeInfos();

}  // namespace zelva::server
