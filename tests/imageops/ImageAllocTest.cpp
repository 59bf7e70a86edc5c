#include "imageops/ImageAlloc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

std::uintptr_t Address(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

TEST(ImageAllocTest, StepsAreRoundedUpToMultiplesOf32AndRowsAligned) {
    struct Case {
        std::int32_t width, height, bytesPerPixel, step;
    };
    const Case cases[] = {{1, 1, 4, 32}, {8, 3, 4, 32}, {9, 2, 4, 64}, {11, 2, 3, 64}, {10, 1, 3, 32}, {200, 7, 4, 800}};
    for (const Case& c : cases) {
        std::int32_t step = -1;
        std::uint8_t* image = c.bytesPerPixel == 3 ? AllocImage8u3(c.width, c.height, &step)
                                                   : AllocImage8u4(c.width, c.height, &step);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(step, c.step) << c.width;
        EXPECT_EQ(Address(image) % 32, 0u);
        // The whole block is usable (the sanitizer checks the bounds).
        std::memset(image, 0x5A, static_cast<std::size_t>(step) * c.height);
        FreeImage(image);
    }
}

TEST(ImageAllocTest, RefusesBadSizesAndNullStepOut) {
    std::int32_t step = 77;
    EXPECT_EQ(AllocImage8u4(0, 5, &step), nullptr);
    EXPECT_EQ(step, 0);
    step = 77;
    EXPECT_EQ(AllocImage8u3(5, -1, &step), nullptr);
    EXPECT_EQ(step, 0);
    EXPECT_EQ(AllocImage8u4(4, 4, nullptr), nullptr);
    EXPECT_EQ(AllocImage8u3(4, 4, nullptr), nullptr);
    FreeImage(nullptr);
}

TEST(ImageAllocTest, RowsTooWideForA32BitStepAreRefused) {
    std::int32_t step = 77;
    // 4 x width + 31 would wrap a 32-bit computation.
    EXPECT_EQ(AllocImage8u4(std::numeric_limits<std::int32_t>::max() / 4 + 1, 1, &step), nullptr);
    EXPECT_EQ(step, 0);
    step = 77;
    EXPECT_EQ(AllocImage8u3(std::numeric_limits<std::int32_t>::max() / 3, 1, &step), nullptr);
    EXPECT_EQ(step, 0);
}

}  // namespace
