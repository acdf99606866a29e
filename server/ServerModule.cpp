#include "ServerModule.h"

extern "C" NTSYSAPI BOOLEAN NTAPI RtlDllShutdownInProgress(void);

namespace zelva::server {

namespace {
HINSTANCE instance;
LONG liveObjects;
LONG serverLocks;
}  // namespace

HINSTANCE moduleInstance() { return instance; }

std::wstring modulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(instance, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);
    }
}

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
