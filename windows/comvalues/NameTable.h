#pragma once
// Names numbered from 1 in the order they first come, found without a lock.
// Host calls look their members' names up by the thousand while a drawing is
// made, from any apartment, and under Wine a lock taken for every look costs
// more than the look itself. Names are only ever added: an entry is complete
// before its number is published in its slot, and it never moves, so readers
// take no lock; a writer takes a critical section. A name beyond `Capacity`
// gets no number.
//
// `Traits::fold(char)` is applied to each character before names are hashed
// and compared (a name's characters are taken as chars: ASCII, or UTF-8);
// `Traits::Entry`, made from the name, is what the table keeps of it, the
// name itself as its member `name`.

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "windows/comvalues/CriticalSection.h"

namespace zelva::comvalues {

template <class Traits, uint32_t Capacity>
class NameTable {
public:
    using Entry = typename Traits::Entry;

    NameTable() = default;
    NameTable(const NameTable&) = delete;
    NameTable& operator=(const NameTable&) = delete;
    ~NameTable() {
        for (auto& entry : entries_) delete entry.load(std::memory_order_relaxed);
    }

    // The number of `name`, which is added when new; 0 when the table is full.
    template <class Char>
    uint32_t numberOf(std::basic_string_view<Char> name) {
        const size_t start = slotOf(name);
        if (const uint32_t found = find(name, start)) return found;
        const CriticalSection::Hold hold(writing_);
        if (const uint32_t found = find(name, start)) return found;  // added meanwhile
        if (count_ == Capacity) return 0;
        const std::string text(name.begin(), name.end());
        entries_[count_].store(new Entry(text), std::memory_order_release);
        const uint32_t number = ++count_;
        // A free slot is certain: the slots outnumber the names.
        size_t slot = start;
        while (slots_[slot].load(std::memory_order_relaxed) != 0) slot = (slot + 1) % kSlots;
        slots_[slot].store(number, std::memory_order_release);
        return number;
    }

    // The entry numbered `number`, or null for a number never given.
    const Entry* entry(uint32_t number) const {
        if (number < 1 || number > Capacity) return nullptr;
        return entries_[number - 1].load(std::memory_order_acquire);
    }

private:
    static constexpr size_t kSlots = 2 * size_t{Capacity};

    template <class Char>
    static size_t slotOf(std::basic_string_view<Char> name) {
        uint32_t hash = 2166136261u;  // FNV-1a
        for (const Char c : name) {
            hash ^= static_cast<unsigned char>(Traits::fold(static_cast<char>(c)));
            hash *= 16777619u;
        }
        return hash % kSlots;
    }

    // The number of `name` among the published slots from `start` on; 0 when absent.
    template <class Char>
    uint32_t find(std::basic_string_view<Char> name, size_t start) const {
        for (size_t slot = start;; slot = (slot + 1) % kSlots) {
            const uint32_t number = slots_[slot].load(std::memory_order_acquire);
            if (number == 0) return 0;
            const std::string& kept = entries_[number - 1].load(std::memory_order_relaxed)->name;
            if (std::equal(name.begin(), name.end(), kept.begin(), kept.end(), [](Char a, char b) {
                    return Traits::fold(static_cast<char>(a)) == Traits::fold(b);
                }))
                return number;
        }
    }

    std::array<std::atomic<uint32_t>, kSlots> slots_{};  // names' numbers by hash; 0 is a free slot
    std::array<std::atomic<const Entry*>, Capacity> entries_{};  // the entry of number n at n - 1
    uint32_t count_ = 0;  // changed only with `writing_` held
    CriticalSection writing_;
};

}  // namespace zelva::comvalues
