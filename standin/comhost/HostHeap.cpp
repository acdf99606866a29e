// The stand-in host's own blocks, kept by size for reuse: it replaces the
// global operator new and delete of each program that links the stand-in.
// A CAD host brings an allocator of its own; without one, every object the
// stand-in makes to answer a call (the document's answer, its COM wrapper)
// takes a block of Wine's heap, about ten times glibc's cost, and what the
// benchmarks time through COM would be mostly the stand-in's heap.
//
// Each block starts with a header holding its size class. A freed block of up
// to kClasses grains waits in the freeing thread's own lists (no lock, no
// interlocked operation), up to kKept of a class; a larger one goes straight
// back to the C runtime. A thread's lists outlive it: the stand-in's programs
// run few threads.

#include <windows.h>

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

constexpr size_t kGrain = MEMORY_ALLOCATION_ALIGNMENT;  // the header's size, and a size class's step
constexpr size_t kClasses = 16;
constexpr size_t kKept = 4096;
constexpr size_t kUnkept = kClasses;  // the class of a larger block

struct FreeBlock {
    FreeBlock* next;
};
struct ThreadLists {
    FreeBlock* first[kClasses];
    size_t count[kClasses];
};

size_t& classOf(void* block) { return *static_cast<size_t*>(block); }

void* fresh(size_t sizeClass, size_t bytes) {
    void* block;
    while (!(block = std::malloc(kGrain + bytes))) {
        const std::new_handler handler = std::get_new_handler();
        if (!handler) throw std::bad_alloc();
        handler();
    }
    classOf(block) = sizeClass;
    return static_cast<std::byte*>(block) + kGrain;
}

// The calling thread's lists, made on its first use; null while they cannot be.
ThreadLists* threadLists() {
    static const DWORD slot = TlsAlloc();
    if (slot == TLS_OUT_OF_INDEXES) return nullptr;
    auto* lists = static_cast<ThreadLists*>(TlsGetValue(slot));
    if (!lists && (lists = static_cast<ThreadLists*>(std::calloc(1, sizeof(ThreadLists))))) TlsSetValue(slot, lists);
    return lists;
}

}  // namespace

void* operator new(size_t size) {
    const size_t grains = size == 0 ? 1 : (size + kGrain - 1) / kGrain;
    if (grains > kClasses) return fresh(kUnkept, size);
    const size_t sizeClass = grains - 1;
    if (ThreadLists* lists = threadLists(); lists && lists->first[sizeClass]) {
        FreeBlock* const block = lists->first[sizeClass];
        lists->first[sizeClass] = block->next;
        --lists->count[sizeClass];
        classOf(block) = sizeClass;  // the list's link lay where the header is
        return reinterpret_cast<std::byte*>(block) + kGrain;
    }
    return fresh(sizeClass, grains * kGrain);
}

void operator delete(void* object) noexcept {
    if (!object) return;
    void* const block = static_cast<std::byte*>(object) - kGrain;
    const size_t sizeClass = classOf(block);
    ThreadLists* const lists = sizeClass < kClasses ? threadLists() : nullptr;
    if (!lists || lists->count[sizeClass] == kKept) return std::free(block);
    lists->first[sizeClass] = new (block) FreeBlock{lists->first[sizeClass]};
    ++lists->count[sizeClass];
}

void operator delete(void* object, size_t) noexcept { ::operator delete(object); }
