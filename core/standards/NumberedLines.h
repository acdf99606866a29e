#pragma once
// Reading a file line by line while counting its lines, as the index file's
// line numbers do: 1-based, signed 16-bit, so a file is addressable up to line
// 32767 and reading line 32768 overflows (6).

#include <cstdint>
#include <string>

#include "core/files/TextFiles.h"

namespace zelva::standards {

class NumberedLines {
public:
    explicit NumberedLines(files::LineReader& file) : file_(file) {}

    bool atEnd() { return file_.atEnd(); }
    // The next line, held by the reader until the next read; past the end of the file: 62.
    const std::string& read();
    // The number of the line read last, 0 before the first.
    int16_t number() const { return number_; }
    // The lines the file has handed out, the one that overflowed included.
    int linesRead() const { return linesRead_; }

private:
    files::LineReader& file_;
    int16_t number_ = 0;
    int linesRead_ = 0;
};

}  // namespace zelva::standards
