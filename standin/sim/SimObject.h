#pragma once
// The base of every automation object of the stand-in host: a handle onto a
// node of the document. A call is journalled, may be made to fail by the
// fault plan, and is dispatched to the member by case-insensitive name.

#include <memory>
#include <span>
#include <string_view>
#include <utility>

#include "core/automation/Object.h"
#include "standin/sim/Tracked.h"

namespace zelva::sim {

class SimObject : public Object, public Tracked {
public:
    Variant invoke(std::string_view name, CallKind kind, std::span<const Arg> args) final;

protected:
    SimObject(std::shared_ptr<HostState> host, std::string_view kind) : Tracked(std::move(host), kind) {}

    // The member's behaviour. Members with a result answer both Get and
    // Method calls; an unknown member is error 438.
    virtual Variant dispatch(std::string_view name, CallKind kind, std::span<const Arg> args) = 0;
};

// The error of a member this object does not have (438).
[[noreturn]] void noSuchMember();

// A new handle of type T, as a Variant ready to be returned from a member.
template <class T, class... A>
Variant objectOf(A&&... a) {
    return Variant::object(makeRef<T>(std::forward<A>(a)...));
}

}  // namespace zelva::sim
