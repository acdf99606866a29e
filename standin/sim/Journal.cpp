#include "standin/sim/Journal.h"

#include <charconv>

namespace zelva::sim {

std::string numberText(double v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string renderValue(const JournalValue& v) {
    std::string s = v.byRef ? "ref " : "";
    s += typeName(v.type);
    if (!v.text.empty()) s += " " + v.text;
    return s;
}

namespace {
std::string renderArgs(const std::vector<JournalValue>& args, size_t count) {
    std::string s;
    for (size_t i = 0; i < count; ++i) s += (i ? ", " : "") + renderValue(args[i]);
    return s;
}
}  // namespace

std::string renderEntry(const JournalEntry& e) {
    std::string s = e.object + "." + e.member;
    if (e.kind == CallKind::Put && !e.args.empty()) {
        // The new value of a property put travels as the last argument.
        const size_t indexCount = e.args.size() - 1;
        if (indexCount > 0) s += "(" + renderArgs(e.args, indexCount) + ")";
        s += " = " + renderValue(e.args.back());
    } else if (e.kind == CallKind::Method || !e.args.empty()) {
        s += "(" + renderArgs(e.args, e.args.size()) + ")";
    }
    if (e.error)
        s += " -> error " + std::to_string(e.error->number()) + " (" + e.error->description() + ")";
    else if (e.result.type != VarType::Empty)
        s += " -> " + renderValue(e.result);
    return s;
}

std::string renderJournal(const std::vector<JournalEntry>& entries) {
    std::string s;
    for (const auto& e : entries) s += renderEntry(e) + "\n";
    return s;
}

}  // namespace zelva::sim
