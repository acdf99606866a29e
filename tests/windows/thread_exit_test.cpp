// Threads that use the component and end: each round, 40 threads at once
// enter an apartment, create, use and release a PShape and a DropHook, leave
// the apartment and return. Run as a process of its own: a thread that cannot
// finish exiting would hang it (CTest's timeout then fails the test). After
// every round the DLL holds no object and no apartment's module state
// (DllCanUnloadNow answers S_OK), so nothing is left to grow from round to
// round; the process's committed bytes are printed for the record.

#include <windows.h>
#include <objbase.h>
#include <psapi.h>

#include <cstdio>

#include "Zelvacorin.h"

namespace {

constexpr int kThreads = 40;
constexpr int kRounds = 3;

// The number of checks that failed on this thread.
DWORD useComponentOnce() {
    DWORD failures = 0;
    const auto check = [&](bool ok, const char* what) {
        if (!ok) {
            std::printf("failed: %s\n", what);
            ++failures;
        }
    };
    _PShape* shape = nullptr;
    check(CoCreateInstance(CLSID_PShape, nullptr, CLSCTX_INPROC_SERVER, IID__PShape,
                           reinterpret_cast<void**>(&shape)) == S_OK, "create PShape");
    if (shape) {
        double diameter = 8, read = 0;
        check(shape->put_Diametro(&diameter) == S_OK && shape->get_Diametro(&read) == S_OK && read == 8,
              "PShape keeps its diameter");
        double x = -1, y = -1, z = -1;
        VARIANT_BOOL answer = VARIANT_FALSE;
        check(shape->IC2DProjectedThreads_GetThreadDirection(&x, &y, &z, &answer) == S_OK && z == 1,
              "PShape answers its thread direction");
        shape->Release();
    }
    _DropHook* hook = nullptr;
    check(CoCreateInstance(CLSID_DropHook, nullptr, CLSCTX_INPROC_SERVER, IID__DropHook,
                           reinterpret_cast<void**>(&hook)) == S_OK, "create DropHook");
    if (hook) {
        UINT count = 0;
        check(hook->GetTypeInfoCount(&count) == S_OK && count == 1, "DropHook describes itself");
        hook->Release();
    }
    return failures;
}

DWORD WINAPI threadUsingTheComponent(void*) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    const DWORD failures = useComponentOnce();
    CoUninitialize();
    return failures;
}

// Starts the round's threads and waits until every one has ended; the number of failures.
DWORD runRound() {
    HANDLE threads[kThreads];
    for (HANDLE& thread : threads) thread = CreateThread(nullptr, 0, threadUsingTheComponent, nullptr, 0, nullptr);
    DWORD failures = 0;
    for (HANDLE thread : threads) {
        if (!thread) {
            ++failures;
            continue;
        }
        WaitForSingleObject(thread, INFINITE);
        DWORD code = 1;
        GetExitCodeThread(thread, &code);
        failures += code;
        CloseHandle(thread);
    }
    return failures;
}

SIZE_T committedBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

}  // namespace

int main() {
    // Wine's comctl32 can deadlock when it is first loaded while other threads
    // start and end; the component's dialogs need it, so it is loaded up front.
    if (!LoadLibraryW(L"comctl32.dll")) return 2;
    int failures = 0;
    for (int round = 1; round <= kRounds; ++round) {
        failures += static_cast<int>(runRound());
        // A thread stuck in its exit would block this call for good. COM may
        // have unloaded the DLL already, which leaves nothing behind either.
        const HMODULE dll = GetModuleHandleW(L"Zelvacorin.dll");
        using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
        const auto canUnloadNow =
            reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
        const bool nothingLeft = !dll || (canUnloadNow && canUnloadNow() == S_OK);
        if (!nothingLeft) ++failures;
        std::printf("round %d: %d threads ended, objects and module states left: %s, committed bytes %lu\n", round,
                    kThreads, nothingLeft ? "none" : "some", static_cast<unsigned long>(committedBytes()));
    }
    std::printf("%s\n", failures == 0 ? "passed" : "FAILED");
    return failures == 0 ? 0 : 1;
}
