#include "ServerModule.h"

#include "windows/win32text/ModuleFileName.h"

extern "C" NTSYSAPI BOOLEAN NTAPI RtlDllShutdownInProgress(void);

namespace zelva::server {

namespace {
HINSTANCE instance;
LONG liveObjects;
LONG serverLocks;
}  // namespace

HINSTANCE moduleInstance() { return instance; }

std::wstring modulePath() { return win32text::moduleFileName(instance); }

void objectCreated() { InterlockedIncrement(&liveObjects); }
void objectDestroyed() { InterlockedDecrement(&liveObjects); }
void lockServer(bool lock) { lock ? InterlockedIncrement(&serverLocks) : InterlockedDecrement(&serverLocks); }
bool moduleInUse() { return InterlockedCompareExchange(&liveObjects, 0, 0) != 0 || InterlockedCompareExchange(&serverLocks, 0, 0) != 0; }

bool processExiting() { return RtlDllShutdownInProgress(); }

}  // namespace zelva::server

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) zelva::server::instance = instance;
    return TRUE;
}
