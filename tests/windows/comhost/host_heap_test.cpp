// The stand-in's own heap, which replaces operator new and delete in its
// programs: every size keeps its bytes, a freed block serves the next block
// of its size class on the freeing thread, and blocks freed on another thread
// or too large to keep come and go without harm.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <thread>
#include <vector>

namespace {

// Fills a block of `size` bytes with a pattern of its own; checks it later.
struct Filled {
    explicit Filled(size_t count) : bytes(new unsigned char[count]), size(count) {
        for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(size + i);
    }
    bool intact() const {
        for (size_t i = 0; i < size; ++i)
            if (bytes[i] != static_cast<unsigned char>(size + i)) return false;
        return true;
    }
    std::unique_ptr<unsigned char[]> bytes;
    size_t size;
};

}  // namespace

TEST(HostHeap, EverySizeKeepsItsBytesAndAFreedBlockServesItsClassAgain) {
    std::vector<Filled> blocks;
    for (const size_t size : {0, 1, 7, 8, 9, 16, 64, 120, 128, 129, 256, 257, 4096, 100000}) blocks.emplace_back(size);
    for (const Filled& block : blocks) EXPECT_TRUE(block.intact()) << block.size << " bytes";

    std::vector<void*> freed;
    for (int i = 0; i < 8; ++i) freed.push_back(::operator new(40));
    const std::set<void*> kept(freed.begin(), freed.end());
    for (void* block : freed) ::operator delete(block);
    for (void*& block : freed) EXPECT_EQ(kept.count(block = ::operator new(33)), 1u) << "a block of the same class";
    for (void* block : freed) ::operator delete(block);
}

TEST(HostHeap, BlocksMadeOnOneThreadAreFreedAndReusedOnAnother) {
    std::vector<std::unique_ptr<Filled>> made(200);
    std::thread([&] {
        for (size_t i = 0; i < made.size(); ++i) made[i] = std::make_unique<Filled>(i % 300);
    }).join();
    for (const auto& block : made) EXPECT_TRUE(block->intact());
    made.clear();
    std::vector<Filled> again;
    for (size_t i = 0; i < 200; ++i) again.emplace_back(i % 300);
    for (const Filled& block : again) EXPECT_TRUE(block.intact()) << block.size << " bytes";
}
