#pragma once
// Storage for one call's arguments: in place for the few a member takes, on
// the heap only beyond them. Calls cross COM by the thousand while a drawing
// is made, and a heap block costs far more under Wine than natively.

#include <array>
#include <cstddef>
#include <vector>

namespace zelva::com {

template <class T>
class ArgumentSlots {
public:
    static constexpr size_t kInPlace = 6;

    // `count` default-made slots.
    explicit ArgumentSlots(size_t count)
        : onHeap_(count > kInPlace ? count : 0), slots_(count > kInPlace ? onHeap_.data() : inPlace_.data()) {}
    ArgumentSlots(const ArgumentSlots&) = delete;
    ArgumentSlots& operator=(const ArgumentSlots&) = delete;

    T& operator[](size_t i) { return slots_[i]; }
    T* data() { return slots_; }

private:
    std::array<T, kInPlace> inPlace_{};
    std::vector<T> onHeap_;
    T* slots_;
};

}  // namespace zelva::com
