#pragma once
// The file a loaded module came from.

#include <windows.h>

#include <string>

namespace zelva::win32text {

// The whole path of `module`'s file (the program's for null) at any length, as
// a long-path-aware process may have one beyond MAX_PATH; empty when Windows
// cannot tell.
std::wstring moduleFileName(HMODULE module);

}  // namespace zelva::win32text
