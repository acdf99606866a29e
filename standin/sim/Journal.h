#pragma once
// The journal of every call made on the stand-in host: which object, which
// member, how it was called, each argument with its type, and what came back.
// Values are kept as text so the journal holds no object alive.

#include <optional>
#include <string>
#include <vector>

#include "core/automation/Error.h"
#include "core/automation/Object.h"

namespace zelva::sim {

struct JournalValue {
    VarType type = VarType::Empty;
    std::string text;  // numbers in shortest round-trip form, texts quoted, objects by label
    bool byRef = false;
};

struct JournalEntry {
    std::string object;  // label, such as "Components(1)#7" or "HostVector#5"
    std::string member;  // as the caller spelled it
    CallKind kind = CallKind::Method;
    std::vector<JournalValue> args;
    JournalValue result;         // Empty for members without a result
    std::optional<Error> error;  // set when the call failed
};

// "R8 0.75", "ref I4 2", "Str \"abc\"", "Object Shape#3".
std::string renderValue(const JournalValue& v);
// One line for failure messages: "Components(1)#7.Item(I2 1) -> Object Component(1)#8".
std::string renderEntry(const JournalEntry& e);
std::string renderJournal(const std::vector<JournalEntry>& entries);  // one entry per line

// The text form of plain values; objects are described by their owner (Tracked).
std::string numberText(double v);

}  // namespace zelva::sim
