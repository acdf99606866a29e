#pragma once
// Process-wide state of the component DLL: its instance and path, and the
// counts of live objects and server locks that decide whether it may unload.

#include <windows.h>

#include <string>

namespace zelva::server {

HINSTANCE moduleInstance();
std::wstring modulePath();

void objectCreated();
void objectDestroyed();
void lockServer(bool lock);
// True while an object or a server lock is outstanding.
bool moduleInUse();

// True while the process is ending, when other libraries may already be shut down.
bool processExiting();

}  // namespace zelva::server
