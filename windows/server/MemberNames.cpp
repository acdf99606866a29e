#include "MemberNames.h"

#include <string>

#include "windows/comvalues/Bstr.h"
#include "windows/comvalues/NameTable.h"

namespace zelva::server {

namespace {

struct ExactNames {
    static char fold(char c) { return c; }
    struct Entry {
        explicit Entry(std::string_view n) : name(n), text(n) {}
        const std::string name;
        const comvalues::Bstr text;
    };
};

}  // namespace

BSTR memberName(std::string_view name) {
    // Several times the names the component asks.
    static comvalues::NameTable<ExactNames, 256> names;
    const auto* entry = names.entry(names.numberOf(name));
    return entry ? entry->text.get() : nullptr;
}

}  // namespace zelva::server
