#pragma once
// A late-bound automation object: members are reached by name, with explicit
// by-value and by-reference arguments, as an automation client reaches them.

#include "core/automation/Namespace.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "core/automation/Names.h"
#include "core/automation/Ref.h"
#include "core/automation/Variant.h"

namespace zelva::automation {

enum class CallKind { Get, Put, Method };

// One argument of a call. A by-reference argument points at the caller's
// variable, which the member may write; `written` tells the caller it did.
struct Arg {
    Variant value;
    Variant* ref = nullptr;
    mutable bool written = false;

    const Variant& get() const { return ref ? *ref : value; }
    void set(Variant v) const;  // only on a by-reference argument
};

inline Arg val(Variant v) { return Arg{std::move(v), nullptr}; }
inline Arg ref(Variant& v) { return Arg{{}, &v}; }

class Object : public RefCounted {
public:
    // For a property put, the new value is the last argument.
    virtual Variant invoke(std::string_view name, CallKind kind, std::span<const Arg> args) = 0;

    // Convenience forms of invoke, the arguments written in place (no block
    // of the heap for them: these are the most frequent calls of all).
    Variant get(std::string_view name, std::initializer_list<Arg> args = {});
    void put(std::string_view name, std::initializer_list<Arg> args);
    Variant call(std::string_view name, std::initializer_list<Arg> args = {});
    Ref<Object> getObject(std::string_view name, std::initializer_list<Arg> args = {});
    Ref<Object> callObject(std::string_view name, std::initializer_list<Arg> args = {});
};

// Argument checks for implementations of invoke.
void expectArgCount(std::span<const Arg> args, size_t n);  // otherwise error 450
const Variant& argAt(std::span<const Arg> args, size_t i);  // missing: error 450

}  // namespace zelva::automation
