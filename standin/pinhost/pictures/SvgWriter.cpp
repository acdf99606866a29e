#include "standin/pinhost/pictures/SvgWriter.h"

#include <cmath>
#include <cstdio>

namespace zelva::pinhost::pictures {

std::string formatNumber(double value, int decimals) {
    if (!std::isfinite(value)) return "0";
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

namespace {

// The length of the well-formed UTF-8 sequence at the start of `text`, 0 when there is none.
size_t utf8SequenceLength(std::string_view text) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    if (byte(0) < 0x80) return 1;
    // Lead bytes with their sequence length and the range of the second byte,
    // which rules out overlong forms, surrogates and code points past U+10FFFF.
    struct Form {
        unsigned char firstLead, lastLead;
        size_t length;
        unsigned char low, high;
    };
    static constexpr Form kForms[] = {{0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF},
                                      {0xE1, 0xEC, 3, 0x80, 0xBF}, {0xED, 0xED, 3, 0x80, 0x9F},
                                      {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
                                      {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F}};
    for (const Form& f : kForms) {
        if (byte(0) < f.firstLead || byte(0) > f.lastLead) continue;
        if (text.size() < f.length || byte(1) < f.low || byte(1) > f.high) return 0;
        for (size_t i = 2; i < f.length; ++i)
            if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
        return f.length;
    }
    return 0;
}

}  // namespace

std::string xmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const char c = text.front();
        const size_t n = utf8SequenceLength(text);
        switch (n == 1 ? c : '\0') {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default:
                if (n == 0) out += "\xEF\xBF\xBD";  // not UTF-8: U+FFFD, the replacement character
                // Control characters other than tab and line breaks are not allowed in XML 1.0.
                else if (n == 1 && static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
                    out += ' ';
                else
                    out.append(text.substr(0, n));
        }
        text.remove_prefix(n == 0 ? 1 : n);
    }
    return out;
}

std::string pointList(std::span<const Point> points) {
    std::string out;
    for (const Point& p : points) {
        if (!out.empty()) out += ' ';
        out += formatNumber(p.x, 2) + ',' + formatNumber(p.y, 2);
    }
    return out;
}

void PathData::command(char letter, std::initializer_list<Point> points) {
    if (!d_.empty()) d_ += ' ';
    d_ += letter;
    for (const Point& p : points) d_ += formatNumber(p.x, 2) + ',' + formatNumber(p.y, 2) + ' ';
    if (points.size() != 0) d_.pop_back();
}

PathData& PathData::moveTo(Point p) {
    command('M', {p});
    return *this;
}

PathData& PathData::lineTo(Point p) {
    command('L', {p});
    return *this;
}

PathData& PathData::cubicTo(Point c1, Point c2, Point p) {
    command('C', {c1, c2, p});
    return *this;
}

PathData& PathData::close() {
    command('Z', {});
    return *this;
}

SvgWriter::SvgWriter(std::ostream& out, double width, double height, std::string_view unit) : out_(out) {
    const std::string w = formatNumber(width, 2), h = formatNumber(height, 2);
    out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
                 {"width", w + std::string(unit)},
                 {"height", h + std::string(unit)},
                 {"viewBox", "0 0 " + w + " " + h}});
}

void SvgWriter::startTag(std::string_view tag, const Attributes& attributes) {
    indent();
    out_ << '<' << tag;
    for (const auto& [name, value] : attributes) out_ << ' ' << name << "=\"" << xmlEscape(value) << '"';
}

void SvgWriter::open(std::string_view tag, const Attributes& attributes) {
    startTag(tag, attributes);
    out_ << ">\n";
    open_.emplace_back(tag);
}

void SvgWriter::close() {
    if (open_.empty()) return;
    const std::string tag = std::move(open_.back());
    open_.pop_back();
    indent();
    out_ << "</" << tag << ">\n";
}

void SvgWriter::element(std::string_view tag, const Attributes& attributes) {
    startTag(tag, attributes);
    out_ << "/>\n";
}

void SvgWriter::text(std::string_view tag, const Attributes& attributes, std::string_view content) {
    startTag(tag, attributes);
    out_ << '>' << xmlEscape(content) << "</" << tag << ">\n";
}

void SvgWriter::finish() {
    while (!open_.empty()) close();
}

void SvgWriter::indent() {
    for (size_t i = 0; i < open_.size(); ++i) out_ << "  ";
}

}  // namespace zelva::pinhost::pictures
