#pragma once
// Reference counting for automation objects and host-library objects: an object
// lives while a Ref holds it, and a Ref releases on scope exit, so whatever a
// procedure fetched is released before it returns, error or not.

#include "core/automation/Namespace.h"

#include <cstdint>
#include <utility>

namespace zelva::automation {

class RefCounted {
public:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    void addRef() { ++refs_; }
    void release() {
        if (--refs_ == 0) delete this;
    }
    uint32_t refCount() const { return refs_; }

protected:
    virtual ~RefCounted() = default;

private:
    uint32_t refs_ = 0;
};

// How a Ref keeps the count, found by argument-dependent lookup as
// boost::intrusive_ptr finds its pair: a class that must be held where it is
// not seen whole declares its own pair taking its pointer.
inline void addReference(RefCounted* o) { o->addRef(); }
inline void dropReference(RefCounted* o) { o->release(); }

template <class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    explicit Ref(T* p) : p_(p) {
        if (p_) addReference(p_);
    }
    Ref(const Ref& o) : Ref(o.p_) {}
    Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    template <class U>
    Ref(const Ref<U>& o) : Ref(static_cast<T*>(o.get())) {}
    ~Ref() { reset(); }

    Ref& operator=(Ref o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }

    void reset() {
        if (p_) dropReference(std::exchange(p_, nullptr));
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    bool operator==(const Ref& o) const { return p_ == o.p_; }

private:
    T* p_ = nullptr;
};

template <class T, class... A>
Ref<T> makeRef(A&&... a) {
    return Ref<T>(new T(std::forward<A>(a)...));
}

// Narrowing to a derived class: empty when the object is of another kind.
template <class T, class U>
Ref<T> refCast(const Ref<U>& r) {
    return Ref<T>(dynamic_cast<T*>(r.get()));
}

}  // namespace zelva::automation
