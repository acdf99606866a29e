#include "Keyboard.h"

#include <stdexcept>
#include <thread>
#include <vector>

#include "windows/win32text/WideText.h"

namespace zelva::win32user {

namespace {

using namespace std::chrono_literals;

INPUT keyEvent(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

void press(WORD key, bool shift) {
    std::vector<INPUT> strokes;
    if (shift) strokes.push_back(keyEvent(VK_SHIFT, false));
    strokes.push_back(keyEvent(key, false));
    strokes.push_back(keyEvent(key, true));
    if (shift) strokes.push_back(keyEvent(VK_SHIFT, true));
    const UINT count = static_cast<UINT>(strokes.size());
    if (SendInput(count, strokes.data(), sizeof(INPUT)) != count) throw std::runtime_error("the keys were not taken");
}

void typeKeys(const std::wstring& text) {
    for (wchar_t c : text) {
        const SHORT key = VkKeyScanW(c);
        if (key == -1) throw std::runtime_error("no key types '" + win32text::narrow(std::wstring(1, c)) + "'");
        press(LOBYTE(key), (HIBYTE(key) & 1) != 0);
    }
}

HWND focusIn(HWND dialog) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread)) return nullptr;
    HWND control = thread.hwndFocus;
    while (control && GetParent(control) != dialog) control = GetParent(control);
    return control;
}

void activate(HWND window) {
    SetForegroundWindow(window);
    for (int tries = 0; GetForegroundWindow() != window; ++tries) {
        if (tries == 100) throw std::runtime_error("the window did not become active");
        std::this_thread::sleep_for(10ms);
    }
}

}  // namespace zelva::win32user
