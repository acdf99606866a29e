#include "core/files/TextFiles.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/automation/Error.h"
#include "core/files/FileAccess.h"
#include "core/files/PathMapping.h"

namespace zelva::files {

namespace fs = std::filesystem;

namespace {

// Windows-1252 0x80–0x9F. The five unassigned bytes stand for the control
// characters of the same number, as Windows converts them, so every byte
// survives the way in and out.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The high bit of each byte of a word: set in a byte that is not ASCII.
constexpr uint64_t kHighBits = 0x8080808080808080u;

// Which byte of a word is the first whose bit is set in `high` (a word's high
// bits). The word holds the bytes in the machine's order: the first is its
// lowest on a little-endian machine, its highest otherwise.
size_t firstHighIndex(uint64_t high) {
    const int bit = std::endian::native == std::endian::little ? std::countr_zero(high) : std::countl_zero(high);
    return static_cast<size_t>(bit / 8);
}

// The longest UTF-8 form of a Windows-1252 character (the euro sign's).
constexpr size_t kLongestUtf8 = 3;

// The UTF-8 form of each byte from 0x80 up, worked out once.
struct AnsiTable {
    struct Utf8 {
        std::array<char, kLongestUtf8> bytes;
        size_t size;
    };
    std::array<Utf8, 0x80> utf8;
    AnsiTable() {
        for (unsigned b = 0x80; b <= 0xFF; ++b) {
            std::string form;
            appendUtf8(form, b < 0xA0 ? kHighControls[b - 0x80] : b);
            Utf8& u = utf8[b - 0x80];
            u.size = form.size();
            form.copy(u.bytes.data(), u.size);
        }
    }
};

// The position of the first byte from `from` on that is not ASCII (the size
// when there is none), looked for four words at a time, then a word at a time.
size_t firstHighByte(std::string_view bytes, size_t from) {
    constexpr size_t kWord = sizeof(uint64_t);
    const auto word = [&](size_t at) {
        uint64_t w;
        std::memcpy(&w, bytes.data() + at, kWord);
        return w;
    };
    size_t i = from;
    for (; i + 4 * kWord <= bytes.size(); i += 4 * kWord) {
        if ((word(i) | word(i + kWord) | word(i + 2 * kWord) | word(i + 3 * kWord)) & kHighBits) break;
    }
    for (; i + kWord <= bytes.size(); i += kWord) {
        if (const uint64_t high = word(i) & kHighBits) return i + firstHighIndex(high);
    }
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80) ++i;
    return i;
}

char toAnsi(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (unsigned i = 0; i < 32; ++i) {
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

fs::path localPath(const std::string& path) { return fs::u8path(mapWindowsPath(path)); }

class MemoryLineReader : public LineReader {
public:
    explicit MemoryLineReader(FileBytes bytes)
        : bytes_(std::move(bytes)), text_(bytes_.text()), plainUntil_(firstHighByte(text_, 0)) {}

    bool atEnd() override { return pos_ >= text_.size(); }

    const std::string& readLine() override {
        if (atEnd()) throw Error::runtime(err::InputPastEnd);
        const size_t start = pos_;
        const size_t end = text_.find('\r', start);
        const std::string_view line = text_.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        pos_ = end == std::string_view::npos ? text_.size() : end + 1;
        if (pos_ < text_.size() && end != std::string_view::npos && text_[pos_] == '\n') ++pos_;
        if (start + line.size() <= plainUntil_) {
            line_.assign(line);
        } else {
            assignAnsiAsUtf8(line_, line);
        }
        return line_;
    }

private:
    FileBytes bytes_;
    std::string_view text_;
    // The bytes before the file's first non-ASCII byte, looked for once, are
    // their own UTF-8: the lines there are copied as they are.
    size_t plainUntil_;
    std::string line_;  // one buffer for every line read
    size_t pos_ = 0;
};

class ReplacingLineWriter : public LineWriter {
public:
    ReplacingLineWriter(fs::path target, fs::path temporary, std::ofstream out)
        : target_(std::move(target)), temporary_(std::move(temporary)), out_(std::move(out)) {}

    ~ReplacingLineWriter() override {
        if (committed_) return;
        out_.close();
        std::error_code ec;
        fs::remove(temporary_, ec);
    }

    void writeLine(const std::string& line) override {
        out_ << utf8ToAnsi(line) << "\r\n";
        if (!out_) throw Error::runtime(err::DeviceIO);
    }

    void commit() override {
        out_.close();
        if (out_.fail()) throw Error::runtime(err::DeviceIO);
        std::error_code ec;
        fs::rename(temporary_, target_, ec);
        if (ec) throw Error::runtime(err::PathFileAccess);
        committed_ = true;
    }

private:
    fs::path target_;
    fs::path temporary_;
    std::ofstream out_;
    bool committed_ = false;
};

}  // namespace

std::unique_ptr<LineReader> FileSystem::openIfPresent(const std::string& path) {
    try {
        return openForReading(path);
    } catch (const Error& e) {
        if (e.number() != err::FileNotFound) throw;
        return nullptr;
    }
}

std::unique_ptr<LineReader> readLinesFrom(std::string_view bytes) {
    FileBytes copy(bytes.size());
    bytes.copy(copy.data(), bytes.size());
    return std::make_unique<MemoryLineReader>(std::move(copy));
}

std::string ansiToUtf8(std::string_view bytes) {
    std::string out;
    assignAnsiAsUtf8(out, bytes);
    return out;
}

void assignAnsiAsUtf8(std::string& out, std::string_view bytes) {
    static const AnsiTable table;
    // Written in place into room for the longest form of every byte, then cut
    // to what was written. Eight bytes are copied at a time, of which those up
    // to the first high byte count; that byte is then written in its form.
    out.resize(bytes.size() * kLongestUtf8);
    char* to = out.data();
    const auto putHigh = [&](char c) {
        const AnsiTable::Utf8& form = table.utf8[static_cast<unsigned char>(c) - 0x80];
        std::memcpy(to, form.bytes.data(), kLongestUtf8);  // a shorter form's spare byte is cut or overwritten
        to += form.size;
    };
    size_t i = 0;
    for (uint64_t word; i + sizeof word <= bytes.size();) {
        std::memcpy(&word, bytes.data() + i, sizeof word);
        std::memcpy(to, &word, sizeof word);
        const uint64_t high = word & kHighBits;
        if (!high) {
            to += sizeof word;
            i += sizeof word;
            continue;
        }
        const size_t plain = firstHighIndex(high);
        to += plain;
        putHigh(bytes[i + plain]);
        i += plain + 1;
    }
    for (; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            *to++ = bytes[i];
        } else {
            putHigh(bytes[i]);
        }
    }
    out.resize(static_cast<size_t>(to - out.data()));
}

std::string utf8ToAnsi(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const size_t len = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        char32_t c = len == 1 ? b : b & (0x3F >> (len - 1));
        for (size_t k = 1; k < len && i + k < text.size(); ++k) c = (c << 6) | (text[i + k] & 0x3F);
        out += len == 1 && b >= 0x80 ? '?' : toAnsi(c);
        i += len;
    }
    return out;
}

std::unique_ptr<LineReader> LocalFileSystem::openForReading(const std::string& path) {
    return std::make_unique<MemoryLineReader>(*readFileBytes(mapWindowsPath(path), IfAbsent::Fail));
}

std::unique_ptr<LineReader> LocalFileSystem::openIfPresent(const std::string& path) {
    auto bytes = readFileBytes(mapWindowsPath(path), IfAbsent::GiveNothing);
    if (!bytes) return nullptr;
    return std::make_unique<MemoryLineReader>(std::move(*bytes));
}

std::unique_ptr<LineWriter> LocalFileSystem::openForWriting(const std::string& path) {
    const fs::path target = localPath(path);
    std::error_code ec;
    if (fs::is_directory(target, ec)) throw Error::runtime(err::PathFileAccess);
    const std::string temporaryPath = mapWindowsPath(path) + ".new";
    fs::path temporary = fs::u8path(temporaryPath);
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) throw openFailure(temporaryPath, true);
    return std::make_unique<ReplacingLineWriter>(target, std::move(temporary), std::move(out));
}

}  // namespace zelva::files
