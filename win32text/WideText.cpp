#include "win32text/WideText.h"

#include <windows.h>

namespace zelva::win32 {

size_t widenedLength(std::string_view utf8) {
    if (utf8.empty()) return 0;
    return static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0));
}

void widenInto(std::string_view utf8, wchar_t* out, size_t length) {
    if (length) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out, static_cast<int>(length));
}

std::wstring widen(std::string_view utf8) {
    std::wstring wide(widenedLength(utf8), L'\0');
    widenInto(utf8, wide.data(), wide.size());
    return wide;
}

std::string narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int size = static_cast<int>(utf16.size());
    std::string text(
        static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
    return text;
}

}  // namespace zelva::win32
