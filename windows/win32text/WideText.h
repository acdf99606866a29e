#pragma once
// The models speak UTF-8, the windows UTF-16.

#include <string>
#include <string_view>

namespace zelva::win32text {

std::wstring widen(std::string_view utf8);
// widen() in two steps, for a buffer of the caller's: the UTF-16 length of
// `utf8`, then its text written to `out`, which holds `length` characters.
size_t widenedLength(std::string_view utf8);
void widenInto(std::string_view utf8, wchar_t* out, size_t length);
std::string narrow(std::wstring_view utf16);

}  // namespace zelva::win32text
