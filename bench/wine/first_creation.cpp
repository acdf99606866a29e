// Times the first CoCreateInstance of a ProgID's class in this process, the
// DLL's loading included, and prints it in microseconds:
//   first_creation.exe PROGID
// Run once per fresh process; the benchmark takes the median of several.
// The timing starts once Wine's own start-up of the process has settled: the
// helper processes and threads it starts beside a program otherwise share the
// two cores with the timed creation and scatter it from 1 to 4 ms. A CAD host
// creates the component long after its own start, in a settled process too.

#include <windows.h>
#include <objbase.h>

#include <cstdio>

namespace {

constexpr DWORD kSettleMilliseconds = 300;

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: first_creation PROGID\n");
        return 2;
    }
    if (FAILED(CoInitialize(nullptr))) return 1;
    Sleep(kSettleMilliseconds);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    CLSID clsid;
    IUnknown* object = nullptr;
    HRESULT hr = CLSIDFromProgID(argv[1], &clsid);
    if (SUCCEEDED(hr)) hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object));
    QueryPerformanceCounter(&end);
    if (FAILED(hr)) {
        std::fprintf(stderr, "first_creation: %ls: 0x%08lx\n", argv[1], static_cast<unsigned long>(hr));
        return 1;
    }
    std::printf("%lld\n", (end.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart);
    object->Release();
    CoUninitialize();
    return 0;
}
