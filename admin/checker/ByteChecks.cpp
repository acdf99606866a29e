#include "admin/checker/ByteChecks.h"

#include <array>
#include <cstdio>

#include "core/files/TextFiles.h"

namespace zelva::checker {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The five bytes Windows-1252 assigns no character.
constexpr std::array<unsigned char, 5> kUnassigned = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
constexpr const char* kSaveAsAnsi = "save the file as Windows-1252 (ANSI)";

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

bool isComment(const std::string& line) { return !line.empty() && (line[0] == '#' || line[0] == '@'); }

std::string linesCounted(int n) { return n == 1 ? "1 line holds" : std::to_string(n) + " lines hold"; }

// One kind of encoding problem, gathered over the whole file: the first line
// and example where it occurs, how many lines, whether any is more than a comment.
struct Occurrences {
    int first = 0;
    std::string example;
    int lines = 0;
    bool beyondComments = false;

    void add(int line, const std::string& text, const std::string& found) {
        if (found.empty()) return;
        if (lines++ == 0) first = line, example = found;
        beyondComments = beyondComments || !isComment(text);
    }
};

std::string firstUtf8(const std::string& line) {
    for (size_t i = 0; i < line.size(); ++i)
        if (const size_t length = utf8SequenceAt(line, i)) return line.substr(i, length);
    return {};
}

std::string firstUnassigned(const std::string& line) {
    for (const char c : line)
        if (isUnassigned(static_cast<unsigned char>(c))) return hexByte(static_cast<unsigned char>(c));
    return {};
}

// The first line (1-based, as the component counts) that a bare LF runs into the next; 0 if none.
int firstBareLineFeed(std::string_view bytes) {
    int line = 1;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') ++line;
        else if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return line;
    }
    return 0;
}

}  // namespace

std::vector<std::string> componentLines(std::string_view bytes) {
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

std::vector<Finding> checkBytes(const std::string& bytes, const std::string& file, FileKind kind) {
    std::vector<Finding> findings;
    const Level changesReading = kind == FileKind::Table ? Level::Error : Level::Warning;
    const bool marked = bytes.rfind(kByteOrderMark, 0) == 0;
    if (marked)
        findings.push_back({file, 1, changesReading,
                            "the file starts with a byte-order mark, which the component reads as the text '" +
                                files::ansiToUtf8(std::string(kByteOrderMark)) + "' before line 1; " + kSaveAsAnsi +
                                ", without a byte-order mark"});
    if (const int line = firstBareLineFeed(bytes)) {
        const bool everyLine = bytes.find('\r') == std::string::npos;
        findings.push_back({file, line, changesReading,
                            std::string(everyLine ? "lines end with LF alone, so the component reads the whole file"
                                                  : "this line ends with LF alone, so the component reads it and "
                                                    "the next") +
                                " as one line; save the file with Windows line ends (CR LF)"});
    }
    Occurrences utf8, unassigned;
    const auto lines = componentLines(std::string_view(bytes).substr(marked ? kByteOrderMark.size() : 0));
    for (size_t i = 0; i < lines.size(); ++i) {
        utf8.add(static_cast<int>(i + 1), lines[i], firstUtf8(lines[i]));
        unassigned.add(static_cast<int>(i + 1), lines[i], firstUnassigned(lines[i]));
    }
    const auto levelOf = [&](const Occurrences& o) { return o.beyondComments ? changesReading : Level::Warning; };
    if (utf8.lines)
        findings.push_back({file, utf8.first, levelOf(utf8),
                            linesCounted(utf8.lines) + " text saved as UTF-8, which the component reads as "
                                                       "Windows-1252: '" +
                                utf8.example + "' shows as '" + files::ansiToUtf8(utf8.example) + "'; " + kSaveAsAnsi});
    if (unassigned.lines)
        findings.push_back({file, unassigned.first, levelOf(unassigned),
                            linesCounted(unassigned.lines) + " bytes that are no Windows-1252 character (first " +
                                unassigned.example + "); " + kSaveAsAnsi});
    return findings;
}

}  // namespace zelva::checker
