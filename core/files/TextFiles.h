#pragma once
// Sequential text files as the component reads and writes them: bytes in the
// Windows ANSI code page (Windows-1252) outside, UTF-8 inside; lines end with
// CR LF, and a CR alone also ends a line when reading. Paths may use `\` as
// their separator. Failures carry the runtime's numbers (53 file not found,
// 62 input past end of file, 75 path/file access error).

#include <memory>
#include <string>
#include <string_view>

namespace zelva::files {

class LineReader {
public:
    virtual ~LineReader() = default;
    virtual bool atEnd() = 0;
    // The next line, held by the reader until the next read; past the end: 62.
    virtual const std::string& readLine() = 0;
};

class LineWriter {
public:
    virtual ~LineWriter() = default;
    virtual void writeLine(const std::string& line) = 0;  // ends it with CR LF
    // Makes the written text the file's content; until then the file as it was
    // before stays in place, so a failure never leaves it half written.
    virtual void commit() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual std::unique_ptr<LineReader> openForReading(const std::string& path) = 0;
    virtual std::unique_ptr<LineWriter> openForWriting(const std::string& path) = 0;
    // For a file that may well be absent: nothing where openForReading fails
    // with 53, its other failures as they are.
    virtual std::unique_ptr<LineReader> openIfPresent(const std::string& path);
};

// The files of the machine the component runs on.
class LocalFileSystem : public FileSystem {
public:
    std::unique_ptr<LineReader> openForReading(const std::string& path) override;
    std::unique_ptr<LineWriter> openForWriting(const std::string& path) override;
    std::unique_ptr<LineReader> openIfPresent(const std::string& path) override;  // without raising 53
};

// Lines of a file already read into memory, with the same line and byte rules.
std::unique_ptr<LineReader> readLinesFrom(std::string_view bytes);

std::string ansiToUtf8(std::string_view bytes);
void assignAnsiAsUtf8(std::string& out, std::string_view bytes);  // ansiToUtf8 into a string kept for reuse
std::string utf8ToAnsi(const std::string& text);  // characters outside the code page become '?'

}  // namespace zelva::files
