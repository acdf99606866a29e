#include "CoreCall.h"

#include <type_traits>

#include "core/automation/Error.h"
#include "windows/comvalues/ArgumentSlots.h"
#include "windows/comvalues/Bstr.h"
#include "ComErrors.h"
#include "DispatchObject.h"
#include "WrittenOutputs.h"

namespace zelva::server {

namespace {

template <class T>
T* checked(T* p) {
    if (!p) throw errorOf(E_POINTER, {});
    return p;
}

// The core value of a caller's variable.
Variant valueOf(double* p) { return Variant::r8(*p); }
Variant valueOf(LONG* p) { return Variant::i4(*p); }
Variant valueOf(VARIANT_BOOL* p) { return Variant::boolean(*p != VARIANT_FALSE); }
Variant valueOf(BSTR* p) { return Variant::str(comvalues::Bstr::utf8Of(*p)); }
Variant valueOf(IDispatch** p) { return Variant::object(objectOf(*p)); }

// Stores a core value in a caller's variable or result, converted to its type.
void store(const Variant& v, double* p) { *p = toDouble(v); }
void store(const Variant& v, LONG* p) { *p = toInt32(v); }
void store(const Variant& v, VARIANT_BOOL* p) { *p = toBool(v) ? VARIANT_TRUE : VARIANT_FALSE; }
void store(const Variant& v, BSTR* p) {
    BSTR text = comvalues::Bstr(toText(v)).detach();
    SysFreeString(*p);
    *p = text;
}
void store(const Variant& v, IDispatch** p) {
    IDispatch* object = dispatchOf(toObject(v)).detach();
    if (*p) IDispatch_Release(*p);
    *p = object;
}

// The core arguments of one call, bound to the caller's variables.
class BoundArgs {
public:
    // `args` outlives the binding: both belong to one vtable call.
    explicit BoundArgs(std::initializer_list<ComArg> args)
        : callers_(args.begin(), args.size()), values_(args.size()), args_(args.size()) {
        for (size_t i = 0; i < callers_.size(); ++i) {
            values_[i] = std::visit([](const auto& a) { return initial(a); }, callers_[i]);
            args_[i] = std::holds_alternative<Variant>(callers_[i]) ? val(values_[i]) : ref(values_[i]);
        }
    }

    Variant invoke(const CoreMember& member) {
        Variant answer;
        try {
            answer = member({args_.data(), callers_.size()});
        } catch (...) {
            writeBack();
            throw;
        }
        writeBack();
        return answer;
    }

private:
    static Variant initial(const Variant& v) { return v; }
    template <class T>
    static Variant initial(T* p) { return valueOf(checked(p)); }

    // Every output the member wrote, whether or not its value changed.
    void writeBack() {
        comvalues::ArgumentSlots<const void*> written(callers_.size());
        size_t count = 0;
        for (size_t i = 0; i < callers_.size(); ++i) {
            if (!args_[i].written) continue;
            std::visit([&](auto p) {
                if constexpr (std::is_pointer_v<decltype(p)>) {
                    store(values_[i], p);
                    written[count++] = p;
                }
            }, callers_[i]);
        }
        noteOutputsWritten({written.data(), count});
    }

    std::span<const ComArg> callers_;
    comvalues::ArgumentSlots<Variant> values_;
    comvalues::ArgumentSlots<Arg> args_;
};

template <class Result>
HRESULT callWithResult(REFIID iid, const CoreMember& member, std::initializer_list<ComArg> args, Result* result) {
    return guarded(iid, [&] {
        BoundArgs bound(args);
        checked(result);
        *result = Result{};
        store(bound.invoke(member), result);
    });
}

}  // namespace

HRESULT callCore(REFIID iid, const CoreMember& member, std::initializer_list<ComArg> args) {
    return guarded(iid, [&] { BoundArgs(args).invoke(member); });
}

HRESULT callCore(REFIID iid, const CoreMember& member, std::initializer_list<ComArg> args, double* result) {
    return callWithResult(iid, member, args, result);
}

HRESULT callCore(REFIID iid, const CoreMember& member, std::initializer_list<ComArg> args, LONG* result) {
    return callWithResult(iid, member, args, result);
}

HRESULT callCore(REFIID iid, const CoreMember& member, std::initializer_list<ComArg> args, VARIANT_BOOL* result) {
    return callWithResult(iid, member, args, result);
}

HRESULT callCore(REFIID iid, const CoreMember& member, std::initializer_list<ComArg> args, BSTR* result) {
    return callWithResult(iid, member, args, result);
}

}  // namespace zelva::server
