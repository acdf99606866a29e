#include "core/standards/NumberedLines.h"

#include <limits>

#include "core/automation/Error.h"

namespace zelva::standards {

const std::string& NumberedLines::read() {
    const std::string& line = file_.readLine();
    ++linesRead_;
    if (number_ == std::numeric_limits<int16_t>::max()) throw Error::runtime(err::Overflow);
    ++number_;
    return line;
}

}  // namespace zelva::standards
