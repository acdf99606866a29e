#pragma once
// An output of a drawing answer: assigning it writes the caller's by-reference
// variable at once, which Arg::written records, so outputs written before a
// failure keep their values and outputs never reached stay as they were. An
// output the caller passed by value is computed and dropped.

#include "core/automation/Object.h"

namespace zelva::shape {

class AnswerOutput {
public:
    explicit AnswerOutput(const Arg& arg) : arg_(arg) {}
    AnswerOutput& operator=(double v) {
        if (arg_.ref) arg_.set(Variant::r8(v));
        return *this;
    }

private:
    const Arg& arg_;
};

}  // namespace zelva::shape
