#pragma once
// Storage for one call's arguments: in place for the few a member takes, on
// the heap only beyond them, and only the slots the call uses are made.
// Calls cross COM by the thousand while a drawing is made, and a heap block
// (or a VARIANT's initialisation) costs far more under Wine than natively.

#include <cstddef>
#include <memory>
#include <new>

namespace zelva::comvalues {

template <class T>
class ArgumentSlots {
public:
    // The most arguments a member of the host or the component takes: a
    // drawing view's question of a pin has twelve.
    static constexpr size_t kInPlace = 12;

    // `count` value-initialised slots.
    explicit ArgumentSlots(size_t count) : count_(count) {
        if (count > kInPlace) {
            onHeap_ = std::make_unique<T[]>(count);
            slots_ = onHeap_.get();
        } else {
            std::uninitialized_value_construct_n(reinterpret_cast<T*>(inPlace_), count);
            slots_ = std::launder(reinterpret_cast<T*>(inPlace_));
        }
    }
    ~ArgumentSlots() {
        if (!onHeap_) std::destroy_n(slots_, count_);
    }
    ArgumentSlots(const ArgumentSlots&) = delete;
    ArgumentSlots& operator=(const ArgumentSlots&) = delete;

    T& operator[](size_t i) { return slots_[i]; }
    T* data() { return slots_; }
    size_t size() const { return count_; }

private:
    alignas(T) std::byte inPlace_[kInPlace * sizeof(T)];
    std::unique_ptr<T[]> onHeap_;
    T* slots_;
    size_t count_;
};

}  // namespace zelva::comvalues
