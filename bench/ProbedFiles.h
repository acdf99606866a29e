#pragma once
// A file system that notes what the component reads through it: every path it
// opens (a failed open included) and the number of lines read. The bench probes
// one run with it, then counts the same work on the plain file system.

#include <string>
#include <vector>

#include "core/env/TextFiles.h"

namespace zelva::bench {

class ProbedFiles : public env::FileSystem {
public:
    explicit ProbedFiles(env::FileSystem& files) : files_(files) {}

    std::unique_ptr<env::LineReader> openForReading(const std::string& path) override;
    std::unique_ptr<env::LineWriter> openForWriting(const std::string& path) override;

    const std::vector<std::string>& opened() const { return opened_; }
    long linesRead() const { return linesRead_; }

private:
    env::FileSystem& files_;
    std::vector<std::string> opened_;
    long linesRead_ = 0;
};

}  // namespace zelva::bench
