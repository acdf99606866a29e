#pragma once
// An owning pointer to a COM interface, for the C form of the interfaces that
// the server is compiled with: released on scope exit, put() for out
// parameters (releasing what it held first), attach/detach to take over or hand
// on a reference.

#include <windows.h>
#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace zelva::server {

template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Holds a reference of its own to `p`.
    explicit ComPtr(Interface* p) : p_(p) {
        if (p_) IUnknown_AddRef(unknown());
    }
    ComPtr(const ComPtr& o) : ComPtr(o.p_) {}
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~ComPtr() { reset(); }

    Interface* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    Interface** put() {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    // The held pointer as an [in, out] argument: the callee may replace it,
    // releasing the reference it finds and leaving one to the new object.
    Interface** addressof() { return &p_; }

    void attach(Interface* p) {
        reset();
        p_ = p;
    }
    Interface* detach() { return std::exchange(p_, nullptr); }
    void reset() {
        if (p_) IUnknown_Release(reinterpret_cast<IUnknown*>(std::exchange(p_, nullptr)));
    }

    template <class Other>
    HRESULT queryTo(REFIID iid, Other** out) const {
        return IUnknown_QueryInterface(unknown(), iid, reinterpret_cast<void**>(out));
    }

private:
    IUnknown* unknown() const { return reinterpret_cast<IUnknown*>(p_); }

    Interface* p_ = nullptr;
};

}  // namespace zelva::server
