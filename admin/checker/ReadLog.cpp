#include "admin/checker/ReadLog.h"

#include "core/automation/Error.h"
#include "admin/checker/WindowsNames.h"
#include "core/files/PathMapping.h"

namespace zelva::checker {

namespace {

class LoggedReader : public files::LineReader {
public:
    LoggedReader(std::unique_ptr<files::LineReader> inner, std::vector<FileRead>& reads, size_t index)
        : inner_(std::move(inner)), reads_(reads), index_(index) {}

    bool atEnd() override { return inner_->atEnd(); }
    const std::string& readLine() override {
        const std::string& line = inner_->readLine();
        reads_[index_].lines.push_back(line);
        return line;
    }

private:
    std::unique_ptr<files::LineReader> inner_;
    std::vector<FileRead>& reads_;  // indexed, since the vector grows while readers live
    size_t index_;
};

}  // namespace

std::unique_ptr<files::LineReader> ReadLog::openForReading(const std::string& path) {
    reads_.push_back({path, false, {}});
    auto reader = files_.openForReading(findAsWindows(files::mapWindowsPath(path)));
    reads_.back().opened = true;
    return std::make_unique<LoggedReader>(std::move(reader), reads_, reads_.size() - 1);
}

std::unique_ptr<files::LineWriter> ReadLog::openForWriting(const std::string&) {
    throw Error::runtime(err::PermissionDenied);
}

}  // namespace zelva::checker
