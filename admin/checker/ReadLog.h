#pragma once
// The files the component's readers open, seen from beside them: each file
// opened (or that failed to open) with the lines read from it, in order, so a
// reader's message and its list items can be placed at a line of a file.
// Names are found as Windows finds them: case does not matter.

#include <memory>
#include <string>
#include <vector>

#include "core/files/TextFiles.h"

namespace zelva::checker {

struct FileRead {
    std::string path;
    bool opened = false;
    std::vector<std::string> lines;  // as read, line 1 first
};

class ReadLog : public files::FileSystem {
public:
    explicit ReadLog(files::FileSystem& files) : files_(files) {}

    std::unique_ptr<files::LineReader> openForReading(const std::string& path) override;
    // The checker never writes.
    std::unique_ptr<files::LineWriter> openForWriting(const std::string& path) override;

    // The files in the order opened; the last one is where a reader stopped.
    const std::vector<FileRead>& reads() const { return reads_; }
    void clear() { reads_.clear(); }

private:
    files::FileSystem& files_;
    std::vector<FileRead> reads_;
};

}  // namespace zelva::checker
