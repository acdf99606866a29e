#include "admin/checker/ProgramFolder.h"

#ifdef _WIN32
#include "windows/win32text/ModuleFileName.h"
#endif

namespace zelva::checker {

namespace fs = std::filesystem;

namespace {

fs::path programPath(const char* argv0) {
#ifdef _WIN32
    const std::wstring path = win32text::moduleFileName(nullptr);
    if (!path.empty()) return fs::path(path);
#else
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return self;
#endif
    return fs::absolute(argv0);
}

}  // namespace

fs::path defaultTree(const char* argv0) {
    const fs::path folder = programPath(argv0).parent_path();
    const fs::path staged = folder / "install";
    return fs::is_directory(staged) ? staged : folder;
}

}  // namespace zelva::checker
