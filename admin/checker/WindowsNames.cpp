#include "admin/checker/WindowsNames.h"

#ifndef _WIN32
#include <algorithm>
#include <cctype>
#include <filesystem>
#endif

namespace zelva::checker {

#ifdef _WIN32

std::string findAsWindows(const std::string& path) { return path; }

#else

namespace fs = std::filesystem;

namespace {

bool sameButCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::string findAsWindows(const std::string& path) {
    std::error_code ec;
    const fs::path wanted = fs::u8path(path);
    if (fs::exists(wanted, ec)) return path;
    fs::path found = wanted.root_path();
    for (const fs::path& part : wanted.relative_path()) {
        fs::path next = found / part;
        if (!fs::exists(next, ec))
            for (const auto& entry : fs::directory_iterator(found.empty() ? fs::path(".") : found, ec))
                if (sameButCase(entry.path().filename().string(), part.string())) next = found / entry.path().filename();
        if (!fs::exists(next, ec)) return path;
        found = std::move(next);
    }
    return found.string();
}

#endif

}  // namespace zelva::checker
