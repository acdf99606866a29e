#include "ProbedFiles.h"

namespace zelva::bench {

namespace {

class CountedLines : public files::LineReader {
public:
    CountedLines(std::unique_ptr<files::LineReader> file, long& count) : file_(std::move(file)), count_(count) {}
    bool atEnd() override { return file_->atEnd(); }
    const std::string& readLine() override {
        ++count_;
        return file_->readLine();
    }

private:
    std::unique_ptr<files::LineReader> file_;
    long& count_;
};

}  // namespace

std::unique_ptr<files::LineReader> ProbedFiles::openForReading(const std::string& path) {
    opened_.push_back(path);
    return std::make_unique<CountedLines>(files_.openForReading(path), linesRead_);
}

std::unique_ptr<files::LineWriter> ProbedFiles::openForWriting(const std::string& path) {
    return files_.openForWriting(path);
}

}  // namespace zelva::bench
