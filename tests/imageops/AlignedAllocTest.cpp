#include "imageops/AlignedAlloc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

std::uintptr_t Address(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

std::uintptr_t StoredHeapAddress(const void* block) {
    void* heap = nullptr;
    std::memcpy(&heap, static_cast<const unsigned char*>(block) - sizeof(void*), sizeof(void*));
    return Address(heap);
}

TEST(AlignedAllocTest, RefusesCountsBelowOneAndOversizedRequests) {
    EXPECT_EQ(AlignedAlloc(0), nullptr);
    EXPECT_EQ(AlignedAlloc(-5), nullptr);
    EXPECT_EQ(AlignedAlloc(std::numeric_limits<std::int64_t>::min()), nullptr);
    // Would wrap the request size if it were computed naively.
    EXPECT_EQ(AlignedAlloc(std::numeric_limits<std::int64_t>::max()), nullptr);
    EXPECT_EQ(AlignedAlloc(std::numeric_limits<std::int64_t>::max() - 20), nullptr);
}

TEST(AlignedAllocTest, BlocksAreAlignedAndKeepTheirHeapAddressInAPointerSlot) {
    std::vector<void*> blocks;
    // Many sizes so the heap hands out addresses at several offsets from a 32-byte boundary.
    for (std::int64_t n = 1; n <= 300; ++n) {
        void* p = AlignedAlloc(n);
        ASSERT_NE(p, nullptr) << n;
        EXPECT_EQ(Address(p) % 32, 0u) << n;
        // A slot narrower than a pointer would lose the upper half of 64-bit heap addresses.
        const std::uintptr_t gap = Address(p) - StoredHeapAddress(p);
        EXPECT_GE(gap, sizeof(void*)) << n;
        EXPECT_LT(gap, sizeof(void*) + 32) << n;
        // Every usable byte is writable (the sanitizer checks the bounds).
        std::memset(p, 0xA5, static_cast<std::size_t>(n));
        blocks.push_back(p);
    }
    for (void* p : blocks) {
        AlignedFree(p);
    }
}

TEST(AlignedAllocTest, FreeOfNullDoesNothing) {
    AlignedFree(nullptr);
}

}  // namespace
