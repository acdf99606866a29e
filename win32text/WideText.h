#pragma once
// The models speak UTF-8, the windows UTF-16.

#include <string>
#include <string_view>

namespace zelva::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace zelva::win32
