#include "support/ErrorNumber.h"

#include "core/automation/Error.h"

namespace zelva::test {

int errorNumber(const std::function<void()>& call) {
    try {
        call();
    } catch (const Error& e) {
        return e.number() == 0 ? -1 : e.number();
    }
    return 0;
}

}  // namespace zelva::test
