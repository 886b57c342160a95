// The private heap: zero-filled blocks, reuse of freed blocks, failures.
#include "support/DeviceTest.h"

#include "platform/Heap.h"

#include <cstdint>
#include <cstring>
#include <set>

using namespace plat;

namespace {

using HeapTest = DeviceTest;

constexpr std::size_t kNode = 188; // a ledger node

bool AllZero(const void* block, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(block);
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] != 0) return false;
    }
    return true;
}

TEST_F(HeapTest, BlocksAreZeroFilledAlignedAndDistinct) {
    Heap* heap = HeapCreate(0x100000);
    ASSERT_NE(heap, nullptr);
    std::set<std::uintptr_t> seen;
    // Enough nodes to need several chunks.
    for (int i = 0; i < 20000; ++i) {
        void* block = HeapAlloc(heap, kNode);
        ASSERT_NE(block, nullptr);
        ASSERT_TRUE(AllZero(block, kNode));
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignof(void*), 0u);
        std::memset(block, 0xAB, kNode);
        ASSERT_TRUE(seen.insert(reinterpret_cast<std::uintptr_t>(block)).second);
    }
    HeapDestroy(heap);
}

TEST_F(HeapTest, FreedBlocksAreReusedZeroFilledAndForeignOnesIgnored) {
    Heap* heap = HeapCreate(0);
    void* a = HeapAlloc(heap, kNode);
    std::memset(a, 0xFF, kNode);
    HeapFree(heap, a, kNode);
    int foreign = 0;
    HeapFree(heap, &foreign, sizeof foreign); // not linked into the heap
    EXPECT_EQ(HeapAlloc(heap, kNode), a);
    EXPECT_TRUE(AllZero(a, kNode));
    EXPECT_NE(HeapAlloc(heap, sizeof foreign), static_cast<void*>(&foreign));
    void* big = HeapAlloc(heap, 3 * 1024 * 1024);
    ASSERT_NE(big, nullptr);
    EXPECT_TRUE(AllZero(big, 3 * 1024 * 1024));
    EXPECT_NE(HeapAlloc(heap, 0), nullptr);
    EXPECT_EQ(HeapAlloc(heap, static_cast<std::size_t>(-1)), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(HeapAlloc(nullptr, kNode), nullptr);
    HeapDestroy(heap);
    HeapDestroy(nullptr);
}

} // namespace
