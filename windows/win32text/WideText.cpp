#include "windows/win32text/WideText.h"

#include <windows.h>

#include <algorithm>

namespace zelva::win32text {

namespace {

// Member names and most values are ASCII, whose characters keep their codes
// in UTF-16: copied as they are, without a pass through the code-page tables.
template <class Char>
bool isAscii(std::basic_string_view<Char> text) {
    return std::all_of(text.begin(), text.end(), [](Char c) { return static_cast<unsigned>(c) < 0x80; });
}

}  // namespace

size_t widenedLength(std::string_view utf8) {
    if (isAscii(utf8)) return utf8.size();
    return static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0));
}

void widenInto(std::string_view utf8, wchar_t* out, size_t length) {
    if (isAscii(utf8)) {
        std::copy_n(utf8.begin(), std::min(length, utf8.size()), out);
    } else if (length) {
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out, static_cast<int>(length));
    }
}

std::wstring widen(std::string_view utf8) {
    std::wstring wide(widenedLength(utf8), L'\0');
    widenInto(utf8, wide.data(), wide.size());
    return wide;
}

std::string narrow(std::wstring_view utf16) {
    if (isAscii(utf16)) return std::string(utf16.begin(), utf16.end());
    const int size = static_cast<int>(utf16.size());
    std::string text(
        static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
    return text;
}

}  // namespace zelva::win32text
