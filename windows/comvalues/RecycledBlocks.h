#pragma once
// Blocks of one class's objects, kept for its next objects when freed. The
// wrappers a host call makes (of an object passed across COM, of a host
// library object) live for that call alone, and a drawing makes them by the
// thousand: each costs a block of the heap and its return, far dearer than the
// call's own work under Wine. A class takes part by deriving from
// Recycled<Itself>. The freed blocks wait on an interlocked list, which takes
// no lock; a bounded number is kept, the others go back to the heap.

#include <windows.h>

#include <cstddef>
#include <new>
#include <utility>

namespace zelva::comvalues {

class BlockPool {
public:
    // The most freed blocks kept: more than one call's wrappers, few enough to
    // hold no memory worth returning.
    static constexpr USHORT kKept = 32;

    BlockPool() { InitializeSListHead(&free_); }
    BlockPool(const BlockPool&) = delete;
    BlockPool& operator=(const BlockPool&) = delete;
    // With its module: the kept blocks go back.
    ~BlockPool() {
        for (SLIST_ENTRY* block = InterlockedFlushSList(&free_); block;) ::operator delete(std::exchange(block, block->Next));
    }

    void* take(size_t size) {
        if (SLIST_ENTRY* block = InterlockedPopEntrySList(&free_)) return block;
        return ::operator new(size);
    }

    // The count may be off by the blocks of a race: the bound is a measure, not a rule.
    void give(void* block) {
        if (QueryDepthSList(&free_) < kKept) InterlockedPushEntrySList(&free_, static_cast<SLIST_ENTRY*>(block));
        else ::operator delete(block);
    }

private:
    SLIST_HEADER free_;
};

// The objects of `T`, exactly: a class derived from it allocates as usual.
template <class T>
class Recycled {
public:
    static void* operator new(size_t size) { return size == sizeof(T) ? pool_.take(size) : ::operator new(size); }
    static void operator delete(void* block, size_t size) {
        if (size == sizeof(T)) pool_.give(block);
        else ::operator delete(block);
    }

private:
    // An interlocked list's entries lie on the heap's own alignment.
    static_assert(MEMORY_ALLOCATION_ALIGNMENT <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
    static inline BlockPool pool_;
};

}  // namespace zelva::comvalues
