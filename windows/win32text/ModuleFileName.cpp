#include "windows/win32text/ModuleFileName.h"

namespace zelva::win32text {

std::wstring moduleFileName(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);  // cut short: asked again with room for more
    }
}

}  // namespace zelva::win32text
