#pragma once
// A file system that notes what the component reads through it: every path it
// opens (a failed open included) and the number of lines read. The bench probes
// one run with it, then counts the same work on the plain file system.

#include <string>
#include <vector>

#include "core/files/TextFiles.h"

namespace zelva::bench {

class ProbedFiles : public files::FileSystem {
public:
    explicit ProbedFiles(files::FileSystem& files) : files_(files) {}

    std::unique_ptr<files::LineReader> openForReading(const std::string& path) override;
    std::unique_ptr<files::LineWriter> openForWriting(const std::string& path) override;

    const std::vector<std::string>& opened() const { return opened_; }
    long linesRead() const { return linesRead_; }

private:
    files::FileSystem& files_;
    std::vector<std::string> opened_;
    long linesRead_ = 0;
};

}  // namespace zelva::bench
