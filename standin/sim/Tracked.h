#pragma once
// What every object of the stand-in host is: labelled ("Shape#3"), counted
// among the host's live objects while it exists, and journalled on every
// call, which the fault plan may make fail.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/automation/Error.h"
#include "core/automation/Ref.h"
#include "standin/sim/HostState.h"

namespace zelva::sim {

class Tracked {
public:
    Tracked(const Tracked&) = delete;
    Tracked& operator=(const Tracked&) = delete;
    virtual ~Tracked();

    // Spelled out only when asked for: most objects of a host keeping no
    // journal are never named.
    std::string label() const { return kind_ + "#" + std::to_string(serial_); }

protected:
    // `kind` names the object in its label, such as "Shape" or "Components(1)".
    Tracked(std::shared_ptr<HostState> host, std::string_view kind);

    HostState& host() const { return *host_; }
    const std::shared_ptr<HostState>& hostHandle() const { return host_; }

    // Runs `body` as the call `member` with the arguments described, recording
    // its outcome; a planned fault is raised before the body runs.
    template <class Body>
    auto journalled(std::string_view member, CallKind kind, std::vector<JournalValue> args, Body&& body);
    // The same, with the arguments described by `describeArgs()` only while the
    // journal is kept: for calls whose description costs more than the call.
    template <class DescribeArgs, class Body>
        requires std::is_invocable_r_v<std::vector<JournalValue>, DescribeArgs>
    auto journalled(std::string_view member, CallKind kind, DescribeArgs describeArgs, Body&& body);

private:
    std::shared_ptr<HostState> host_;
    std::string kind_;
    uint64_t serial_;
};

JournalValue describe(const Variant& v, bool byRef = false);
JournalValue describe(double v, bool byRef = false);
JournalValue describe(int32_t v, bool byRef = false);
JournalValue describe(int16_t v, bool byRef = false);
JournalValue describe(const std::string& v, bool byRef = false);
JournalValue describe(const RefCounted* object, bool byRef = false);  // by its label

template <class T>
JournalValue describe(const Ref<T>& object, bool byRef = false) {
    return describe(static_cast<const RefCounted*>(object.get()), byRef);
}

// Runs `body` as the call `object.member`, journalled and subject to faults.
template <class Body>
auto runJournalled(HostState& host, std::string_view object, std::string_view member, CallKind kind,
                   std::vector<JournalValue> args, Body&& body) {
    const size_t entry = host.openCall(object, member, kind, std::move(args));
    try {
        if constexpr (std::is_void_v<decltype(body())>) {
            body();
            host.closeCall(entry, {});
        } else {
            auto result = body();
            if (host.journalKept) host.closeCall(entry, describe(result));
            return result;
        }
    } catch (const Error& e) {
        host.failCall(entry, e);
        throw;
    }
}

template <class Body>
auto Tracked::journalled(std::string_view member, CallKind kind, std::vector<JournalValue> args, Body&& body) {
    return runJournalled(*host_, host_->journalKept ? label() : std::string(), member, kind, std::move(args),
                         std::forward<Body>(body));
}

template <class DescribeArgs, class Body>
    requires std::is_invocable_r_v<std::vector<JournalValue>, DescribeArgs>
auto Tracked::journalled(std::string_view member, CallKind kind, DescribeArgs describeArgs, Body&& body) {
    return journalled(member, kind, host_->journalKept ? describeArgs() : std::vector<JournalValue>{},
                      std::forward<Body>(body));
}

}  // namespace zelva::sim
