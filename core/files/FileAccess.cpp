#include "core/files/FileAccess.h"

#ifdef _WIN32
#include <filesystem>
#include <fstream>
#include <system_error>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace zelva::files {

FileBytes::FileBytes(size_t size) : data_(std::make_unique_for_overwrite<char[]>(size)), size_(size) {}

namespace {

#ifdef _WIN32
namespace fs = std::filesystem;

fs::path localPath(const std::string& path) { return fs::u8path(path); }

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(localPath(path), ec);
}

bool folderExists(const std::string& path) {
    const fs::path folder = localPath(path).parent_path();
    std::error_code ec;
    return fs::exists(folder.empty() ? fs::path(".") : folder, ec);
}

// Read by a bare file buffer kept unbuffered, so the block goes straight from
// the file into its place.
std::optional<FileBytes> readOpened(const std::string& path) {
    std::error_code ec;
    const fs::path p = localPath(path);
    if (fs::is_directory(p, ec)) throw Error::runtime(err::PathFileAccess);
    std::filebuf file;
    file.pubsetbuf(nullptr, 0);
    if (!file.open(p, std::ios::in | std::ios::binary)) return std::nullopt;
    const std::streamoff size = file.pubseekoff(0, std::ios::end, std::ios::in);
    if (size < 0 || file.pubseekpos(0, std::ios::in) != std::streampos(0)) throw Error::runtime(err::PathFileAccess);
    FileBytes bytes(static_cast<size_t>(size));
    const auto wanted = static_cast<std::streamsize>(size);
    if (file.sgetn(bytes.data(), wanted) != wanted) throw Error::runtime(err::PathFileAccess);
    return bytes;
}
#else
bool exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

bool folderExists(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return exists(".");
    return exists(slash == 0 ? "/" : path.substr(0, slash));
}

// Closes the file however the reading ends.
struct Descriptor {
    int fd;
    ~Descriptor() { ::close(fd); }
};

std::optional<FileBytes> readOpened(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    const Descriptor file{fd};
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) throw Error::runtime(err::PathFileAccess);
    const auto size = static_cast<size_t>(info.st_size);
    FileBytes bytes(size);
    for (size_t done = 0; done < size;) {
        const ssize_t got = ::read(fd, bytes.data() + done, size - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) throw Error::runtime(err::PathFileAccess);
        done += static_cast<size_t>(got);
    }
    return bytes;
}
#endif

}  // namespace

std::optional<FileBytes> readFileBytes(const std::string& path, IfAbsent ifAbsent) {
    if (auto bytes = readOpened(path)) return bytes;
    const Error failure = openFailure(path, false);
    if (failure.number() == err::FileNotFound && ifAbsent == IfAbsent::GiveNothing) return std::nullopt;
    throw failure;
}

Error openFailure(const std::string& path, bool forWriting) {
    if (!folderExists(path)) return Error::runtime(err::PathNotFound);
    if (forWriting) return Error::runtime(err::PermissionDenied);
    if (!exists(path)) return Error::runtime(err::FileNotFound);
    return Error::runtime(err::PathFileAccess);
}

}  // namespace zelva::files
