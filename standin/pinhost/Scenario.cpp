#include "standin/pinhost/Scenario.h"

#include <charconv>
#include <cstdlib>

namespace zelva::pinhost {

namespace {

using Words = std::vector<std::string>;

class LineParser {
public:
    LineParser(const std::string& name, int line) : where_(name + ":" + std::to_string(line) + ": ") {}

    [[noreturn]] void fail(const std::string& expected) const { throw ScenarioError(where_ + "expected " + expected); }

    Words split(const std::string& text) const {
        Words words;
        size_t i = 0;
        while (true) {
            while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
            if (i >= text.size()) return words;
            if (text[i] == '"') {
                const size_t close = text.find('"', i + 1);
                if (close == std::string::npos) fail("a closing double quote");
                words.push_back(text.substr(i + 1, close - i - 1));
                i = close + 1;
            } else {
                const size_t end = text.find_first_of(" \t", i);
                words.push_back(text.substr(i, end == std::string::npos ? std::string::npos : end - i));
                i = end == std::string::npos ? text.size() : end;
            }
        }
    }

    void expectCount(const Words& w, size_t low, size_t high, const std::string& form) const {
        if (w.size() < low || w.size() > high) fail("`" + form + "`");
    }

    double number(const std::string& word, const std::string& what) const {
        char* end = nullptr;
        const double v = std::strtod(word.c_str(), &end);
        if (word.empty() || end != word.c_str() + word.size()) fail(what + " as a number, not '" + word + "'");
        return v;
    }

    int32_t integer(const std::string& word, const std::string& what) const {
        int32_t v = 0;
        const auto [p, ec] = std::from_chars(word.data(), word.data() + word.size(), v);
        if (ec != std::errc() || p != word.data() + word.size())
            fail(what + " as a whole number, not '" + word + "'");
        return v;
    }

    sim::Vec3 vec(const Words& w, size_t at, const std::string& what) const {
        return {number(w[at], what + " x"), number(w[at + 1], what + " y"), number(w[at + 2], what + " z")};
    }

private:
    std::string where_;
};

ui::UserAction parseAnswer(const LineParser& p, const Words& w) {
    using K = ui::UserAction::Kind;
    const std::string& verb = w.at(0);
    const auto one = [&](const std::string& form) {
        p.expectCount(w, 2, 2, "> " + form);
        return w[1];
    };
    const auto flag = [&](const std::string& form) {
        const int32_t v = p.integer(one(form), form);
        if (v != 0 && v != 1) p.fail("0 or 1 after `> " + form.substr(0, form.find(' ')) + "`");
        return v;
    };
    if (verb == "tab") return {K::Tab, p.integer(one("tab N"), "a tab index"), {}};
    if (verb == "standard") return {K::Standard, p.integer(one("standard N"), "a list index"), {}};
    if (verb == "length") return {K::Length, 0, one("length TEXT")};
    if (verb == "pitch") return {K::Pitch, 0, one("pitch TEXT")};
    if (verb == "diameter") return {K::Diameter, 0, one("diameter TEXT")};
    if (verb == "chamfer") return {K::Chamfer, flag("chamfer 0|1"), {}};
    if (verb == "manual") return {K::Manual, flag("manual 0|1"), {}};
    if (verb == "move") {
        p.expectCount(w, 3, 3, "> move X Y");
        return {K::Move, 0, {}, {p.integer(w[1], "a left edge in pixels"), p.integer(w[2], "a top edge in pixels")}};
    }
    if (verb == "ok" || verb == "cancel") {
        p.expectCount(w, 1, 1, "> " + verb);
        return {verb == "ok" ? K::Ok : K::Cancel, 0, {}};
    }
    p.fail("an answer: tab, standard, length, pitch, chamfer, manual, diameter, move, ok or cancel");
}

Command parseCommand(const LineParser& p, const Words& w) {
    const std::string& verb = w[0];
    if (verb == "registry") {
        p.expectCount(w, 4, 4, "registry KEY NAME VALUE");
        return RegistryValue{w[1], w[2], w[3]};
    }
    if (verb == "setting") {
        p.expectCount(w, 4, 4, "setting SECTION KEY VALUE");
        return HostSetting{w[1], w[2], w[3]};
    }
    if (verb == "units") {
        p.expectCount(w, 2, 2, "units CODE");
        return PageUnits{p.integer(w[1], "a unit code")};
    }
    if (verb == "precision") {
        p.expectCount(w, 2, 2, "precision N");
        return DialogPrecision{p.integer(w[1], "a number of decimals")};
    }
    if (verb == "screen") {
        p.expectCount(w, 3, 3, "screen WIDTH HEIGHT");
        const int32_t width = p.integer(w[1], "a width in pixels"), height = p.integer(w[2], "a height in pixels");
        if (width <= 0 || height <= 0) p.fail("a screen of at least one pixel");
        return Screen{width, height};
    }
    if (verb == "part") {
        p.expectCount(w, 2, 2, "part NAME");
        return AddPart{w[1]};
    }
    if (verb == "edge") {
        if (w.size() >= 3 && w[2] == "circle") {
            p.expectCount(w, 11, 12, "edge NAME circle PART X Y Z NX NY NZ RADIUS [DEPTH]");
            const int32_t depth = w.size() == 12 ? p.integer(w[11], "a shape path depth") : 1;
            if (depth < 1) p.fail("a shape path depth of at least 1");
            return AddEdge{w[1], true, w[3], p.vec(w, 4, "point"), p.vec(w, 7, "normal"), p.number(w[10], "a radius"),
                           depth};
        }
        if (w.size() >= 3 && w[2] == "line") {
            p.expectCount(w, 10, 10, "edge NAME line PART X Y Z NX NY NZ");
            return AddEdge{w[1], false, w[3], p.vec(w, 4, "point"), p.vec(w, 7, "normal")};
        }
        p.fail("`edge NAME circle …` or `edge NAME line …`");
    }
    if (verb == "face") {
        p.expectCount(w, 9, 9, "face NAME PART X Y Z NX NY NZ");
        return AddFace{w[1], w[2], p.vec(w, 3, "point"), p.vec(w, 6, "normal")};
    }
    if (verb == "drop") {
        p.expectCount(w, 2, 2, "drop ELEMENT");
        return Drop{w[1], {}};
    }
    if (verb == "dblclick") {
        p.expectCount(w, 2, 2, "dblclick PIN");
        return DoubleClick{w[1], {}};
    }
    if (verb == "project") {
        p.expectCount(w, 2, 2, "project PIN");
        return Project{w[1]};
    }
    p.fail("a command: registry, setting, units, precision, screen, part, edge, face, drop, dblclick, project or `>`");
}

}  // namespace

std::vector<ScenarioLine> parseScenario(std::istream& in, const std::string& name) {
    std::vector<ScenarioLine> lines;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        const LineParser p(name, number);
        const size_t first = text.find_first_not_of(" \t");
        if (first == std::string::npos || text[first] == '#') continue;
        if (text[first] == '>') {
            const Words w = p.split(text.substr(first + 1));
            if (w.empty()) p.fail("an answer after `>`");
            ui::UserScript* answers = nullptr;
            if (!lines.empty()) {
                if (auto* d = std::get_if<Drop>(&lines.back().command)) answers = &d->answers;
                if (auto* c = std::get_if<DoubleClick>(&lines.back().command)) answers = &c->answers;
            }
            if (!answers) p.fail("answers only after a `drop` or `dblclick` line");
            answers->push_back(parseAnswer(p, w));
            continue;
        }
        lines.push_back({number, parseCommand(p, p.split(text))});
    }
    return lines;
}

}  // namespace zelva::pinhost
