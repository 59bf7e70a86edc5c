#include "framework/gfx/PixelRowConverters.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

uint32_t Word(const std::vector<uint8_t>& d, size_t at) {
    return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<uint32_t>(d[at + 3]) << 24);
}
uint32_t Half(const std::vector<uint8_t>& d, size_t at) { return d[at] | (d[at + 1] << 8); }

TEST(PixelRowConverters, KeyedConvertersClearOnlyTheKeyColour) {
    // Blue 0x10, green 0x20, red 0x30 compares with key 0x302010.
    const std::vector<uint8_t> src = {0x10, 0x20, 0x30, 0x10, 0x20, 0x31};
    std::vector<uint8_t> out(8);
    Convert888To8888Keyed(src.data(), out.data(), 2, 0x302010);
    EXPECT_EQ(Word(out, 0), 0u);
    EXPECT_EQ(Word(out, 4), 0xFF312010u);
    Convert888To8888(src.data(), out.data(), 2);
    EXPECT_EQ(Word(out, 0), 0xFF302010u);
    Convert888To4444Keyed(src.data(), out.data(), 2, 0x302010);
    EXPECT_EQ(Half(out, 0), 0u);
    EXPECT_EQ(Half(out, 2), 0xF321u);
    Convert888To4444(src.data(), out.data(), 1);
    EXPECT_EQ(Half(out, 0), 0xF321u);
}

TEST(PixelRowConverters, SixteenBitTextureFormats) {
    const std::vector<uint8_t> src32 = {0xFF, 0x80, 0x10, 0x7F};
    std::vector<uint8_t> out(2);
    Convert8888To4444(src32.data(), out.data(), 1);
    EXPECT_EQ(Half(out, 0), 0x718Fu);
    Convert888To565(src32.data(), 4, out.data(), 1);
    EXPECT_EQ(Half(out, 0), (0x10u >> 3 << 11) | (0x80u >> 2 << 5) | (0xFFu >> 3));
}

TEST(PixelRowConverters, OpaqueCopyLeavesTransparentPixels) {
    const std::vector<uint8_t> src = {1, 2, 3, 0, 4, 5, 6, 1};
    std::vector<uint8_t> dst = {9, 9, 9, 9, 9, 9, 9, 9};
    CopyOpaquePixels(src.data(), dst.data(), 2);
    EXPECT_EQ(dst, (std::vector<uint8_t>{9, 9, 9, 9, 4, 5, 6, 0xFF}));
}

// Bottom-up stored rows come out top-down in the destination.
TEST(PixelRowConverters, PictureRowsAreTurnedTopDown) {
    const std::vector<uint8_t> rows = {1, 1, 1, 0, 2, 2, 2, 0};  // 24-bit, step 4, two rows
    std::vector<uint8_t> dst(8);
    PictureRows src{rows.data(), 4, 24, false, 0};
    ASSERT_TRUE(ConvertPictureRows(src, dst.data() + 4, 4, 32, 1, 2, true));
    EXPECT_EQ(Word(dst, 0), 0xFF020202u);  // stored top row
    EXPECT_EQ(Word(dst, 4), 0xFF010101u);
    EXPECT_FALSE(ConvertPictureRows(src, dst.data() + 4, 4, 24, 1, 2, true));
}

}  // namespace
