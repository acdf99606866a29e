#pragma once
#include <functional>

namespace zelva::test {

// The error number a call raises, 0 when it does not fail.
int errorNumber(const std::function<void()>& call);

}  // namespace zelva::test
