#pragma once
// An owning pointer to a COM interface: released on scope exit, put() for out
// parameters (releasing what it held first), detach to hand on a reference.
// It serves the component, compiled against the C form of the interfaces, and
// pinhost.exe, compiled against the C++ form: it reaches IUnknown the way the
// including code's form allows.

#include <windows.h>
#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace zelva::comvalues {

namespace detail {
#if defined(__cplusplus) && !defined(CINTERFACE)
template <class Interface>
IUnknown* unknownOf(Interface* p) { return p; }
inline void addRef(IUnknown* u) { u->AddRef(); }
inline void release(IUnknown* u) { u->Release(); }
inline HRESULT query(IUnknown* u, REFIID iid, void** out) { return u->QueryInterface(iid, out); }
#else
template <class Interface>
IUnknown* unknownOf(Interface* p) { return reinterpret_cast<IUnknown*>(p); }
inline void addRef(IUnknown* u) { IUnknown_AddRef(u); }
inline void release(IUnknown* u) { IUnknown_Release(u); }
inline HRESULT query(IUnknown* u, REFIID iid, void** out) { return IUnknown_QueryInterface(u, iid, out); }
#endif
}  // namespace detail

template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Holds a reference of its own to `p`.
    explicit ComPtr(Interface* p) : p_(p) {
        if (p_) detail::addRef(unknown());
    }
    ComPtr(const ComPtr& o) : ComPtr(o.p_) {}
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~ComPtr() { reset(); }

    Interface* get() const { return p_; }
    Interface* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    Interface** put() {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    // The held pointer as an [in, out] argument: the callee may replace it,
    // releasing the reference it finds and leaving one to the new object.
    Interface** addressof() { return &p_; }

    Interface* detach() { return std::exchange(p_, nullptr); }
    void reset() {
        if (p_) detail::release(detail::unknownOf(std::exchange(p_, nullptr)));
    }

    template <class Other>
    HRESULT queryTo(REFIID iid, Other** out) const {
        return detail::query(unknown(), iid, reinterpret_cast<void**>(out));
    }

private:
    IUnknown* unknown() const { return detail::unknownOf(p_); }

    Interface* p_ = nullptr;
};

}  // namespace zelva::comvalues
