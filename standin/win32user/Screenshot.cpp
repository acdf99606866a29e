#include "standin/win32user/Screenshot.h"

#include <stdexcept>
#include <thread>

#include "windows/win32text/WideText.h"
#include "standin/win32user/ScreenUser.h"

namespace zelva::win32user {

namespace {

std::wstring environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    return GetEnvironmentVariableW(name, value, MAX_PATH) ? value : L"";
}

}  // namespace

bool screenshot(HWND window, const std::string& name) {
    const std::wstring folder = environment(L"ZELVA_SCREENSHOT_DIR");
    const std::wstring script = environment(L"ZELVA_SCREENSHOT_SCRIPT");
    if (folder.empty() || script.empty()) return false;

    // Everything painted, and shown by the X server.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    std::this_thread::sleep_for(300ms);

    RECT frame;
    GetWindowRect(window, &frame);
    const std::wstring geometry = std::to_wstring(frame.right - frame.left) + L"x" +
                                  std::to_wstring(frame.bottom - frame.top) + L"+" + std::to_wstring(frame.left) +
                                  L"+" + std::to_wstring(frame.top);
    const std::wstring picture = folder + L"/" + win32text::widen(name) + L".png";
    const std::wstring pictureHere = L"Z:" + picture;
    DeleteFileW(pictureHere.c_str());
    // Wine runs a program of the machine underneath when given its path, but
    // gives no handle to wait on: the script's picture appears whole when done.
    std::wstring command = L"/bin/sh \"" + script + L"\" \"" + picture + L"\" " + geometry;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        throw std::runtime_error("cannot run the screenshot script");
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!waitFor(20s, [&] { return GetFileAttributesW(pictureHere.c_str()) != INVALID_FILE_ATTRIBUTES; }))
        throw std::runtime_error("no screenshot written for " + name);
    return true;
}

}  // namespace zelva::win32user
