#include "standin/sim/SimObject.h"

#include "core/automation/Error.h"

namespace zelva::sim {

Variant SimObject::invoke(std::string_view name, CallKind kind, std::span<const Arg> args) {
    std::vector<JournalValue> described;
    if (host().journalKept) {  // describing the arguments is most of a call's cost
        described.reserve(args.size());
        for (const Arg& a : args) described.push_back(describe(a.get(), a.ref != nullptr));
    }
    return journalled(name, kind, std::move(described), [&] { return dispatch(name, kind, args); });
}

void noSuchMember() { throw Error::runtime(err::MemberNotSupported); }

}  // namespace zelva::sim
