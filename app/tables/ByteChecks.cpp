#include "app/tables/ByteChecks.h"

#include <array>
#include <cstdio>

#include "env/TextFiles.h"

namespace zelva::tables {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The five bytes Windows-1252 assigns no character.
constexpr std::array<unsigned char, 5> kUnassigned = {0x81, 0x8D, 0x8F, 0x90, 0x9D};

bool isUnassigned(unsigned char c) {
    for (const unsigned char u : kUnassigned)
        if (c == u) return true;
    return false;
}

// The length of a well-formed UTF-8 sequence of two to four bytes at `i`, 0 if none.
size_t utf8SequenceAt(const std::string& s, size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    const size_t length = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (length == 0 || i + length > s.size()) return 0;
    for (size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
    // No overlong form, no surrogate, nothing past U+10FFFF: the second byte's narrower range.
    const auto second = static_cast<unsigned char>(s[i + 1]);
    if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second > 0x9F) || (c == 0xF0 && second < 0x90) ||
        (c == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

std::string hexByte(unsigned char c) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", c);
    return text;
}

// The first encoding problem of one line, empty when none.
std::string lineProblem(const std::string& line) {
    for (size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (isUnassigned(c)) return "byte " + hexByte(c) + " is no Windows-1252 character";
        if (const size_t length = utf8SequenceAt(line, i)) {
            const std::string written = line.substr(i, length);
            return "'" + written + "' is written in UTF-8; the component reads Windows-1252 and shows '" +
                   env::ansiToUtf8(written) + "'";
        }
    }
    return {};
}

// The lines as the component splits them, CR LF or CR ending each, bytes kept as written.
std::vector<std::string> rawLines(std::string_view bytes) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') {
            lines.back() += bytes[i];
            continue;
        }
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        lines.emplace_back();
    }
    return lines;
}

}  // namespace

std::vector<Finding> checkBytes(const std::string& bytes, const std::string& file) {
    std::vector<Finding> findings;
    const bool marked = bytes.rfind(kByteOrderMark, 0) == 0;
    if (marked)
        findings.push_back({file, 1, Level::Warning,
                            "the file starts with a byte-order mark, which the component reads as the text '" +
                                env::ansiToUtf8(std::string(kByteOrderMark)) + "'"});
    if (bytes.find('\n') != std::string::npos && bytes.find('\r') == std::string::npos)
        findings.push_back({file, 1, Level::Warning,
                            "lines end with LF alone; the component reads the whole file as one line"});
    const auto lines = rawLines(std::string_view(bytes).substr(marked ? kByteOrderMark.size() : 0));
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string problem = lineProblem(lines[i]);
        if (!problem.empty()) findings.push_back({file, static_cast<int>(i + 1), Level::Warning, problem});
    }
    return findings;
}

}  // namespace zelva::tables
