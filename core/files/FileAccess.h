#pragma once
// The machine's files at the lowest level: a whole file read in one block, and
// why a file could not be opened, as the runtime numbers it (53 file not found,
// 70 permission denied, 75 path/file access error, 76 path not found). Paths are
// local ones (see mapWindowsPath), UTF-8 encoded. On POSIX a file is opened by
// the system's own calls on the path as it is, so a reading costs no more for a
// long folder path than copying its characters; Windows takes the path through
// a path object, which hands the UTF-8 name on as wide characters.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/automation/Error.h"

namespace zelva::files {

// A whole file's bytes in memory, taken in one block without being filled first.
class FileBytes {
public:
    explicit FileBytes(size_t size);
    char* data() { return data_.get(); }
    std::string_view text() const { return {data_.get(), size_}; }

private:
    std::unique_ptr<char[]> data_;
    size_t size_;
};

enum class IfAbsent { Fail, GiveNothing };

// The bytes of the file at `path`. A file missing from a folder that exists
// fails with 53, or gives nothing with IfAbsent::GiveNothing; a missing folder
// is 76, a folder or an unreadable file 75.
std::optional<FileBytes> readFileBytes(const std::string& path, IfAbsent ifAbsent);

// Why the file at `path` could not be opened, for reading or for writing.
Error openFailure(const std::string& path, bool forWriting);

}  // namespace zelva::files
