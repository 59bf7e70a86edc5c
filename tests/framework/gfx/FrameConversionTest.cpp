#include "framework/gfx/FrameConversion.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

uint32_t Pixel(uint8_t b, uint8_t g, uint8_t r, uint8_t a = 0) {
    return b | (g << 8) | (r << 16) | (static_cast<uint32_t>(a) << 24);
}

std::vector<uint8_t> Frame(const std::vector<uint32_t>& pixels) {
    std::vector<uint8_t> bytes(pixels.size() * 4);
    for (size_t i = 0; i < pixels.size(); ++i) {
        for (int b = 0; b < 4; ++b) bytes[i * 4 + b] = static_cast<uint8_t>(pixels[i] >> (8 * b));
    }
    return bytes;
}

uint32_t Read16(const std::vector<uint8_t>& d, size_t at) { return d[at] | (d[at + 1] << 8); }

TEST(FrameConversion, SixteenBitFormatsKeepTheTopBitsOfEachChannel) {
    const auto src = Frame({0xFFFFFFFF, Pixel(0x12, 0x34, 0x56), Pixel(0, 0, 0xFF), Pixel(0xFF, 0, 0)});
    std::vector<uint8_t> out(8);
    ConvertRowTo565(src.data(), 16, out.data(), 8, 4, 1);
    EXPECT_EQ(Read16(out, 0), 0xFFFFu);
    EXPECT_EQ(Read16(out, 2), ((0x56u >> 3) << 11) | ((0x34u >> 2) << 5) | (0x12u >> 3));
    EXPECT_EQ(Read16(out, 4), 0xF800u);
    EXPECT_EQ(Read16(out, 6), 0x001Fu);
    ConvertRowTo555(src.data(), 16, out.data(), 8, 4, 1);
    EXPECT_EQ(Read16(out, 0), 0x7FFFu);
    EXPECT_EQ(Read16(out, 4), 0x7C00u);
    ConvertRowTo888(src.data(), 16, out.data(), 8, 2, 1);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 6),
              (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x12, 0x34, 0x56}));
}

// A surface whose pitch is wider than its rows: each row starts at its own pitch and the gap
// bytes stay as they were.
TEST(FrameConversion, DestinationPitchIsHonoured) {
    const auto src = Frame({Pixel(1, 2, 3), Pixel(4, 5, 6), Pixel(7, 8, 9), Pixel(10, 11, 12)});
    const int32_t pitch = 11;
    std::vector<uint8_t> out(pitch * 2, 0xEE);
    ConvertRowTo888(src.data(), 8, out.data(), pitch, 2, 2);
    EXPECT_EQ(out[pitch + 0], 7);
    EXPECT_EQ(out[pitch + 5], 12);
    for (int i = 6; i < pitch; ++i) EXPECT_EQ(out[i], 0xEE) << i;
    std::vector<uint8_t> out16(pitch * 2, 0xEE);
    ConvertRowTo565(src.data(), 8, out16.data(), pitch, 2, 2);
    EXPECT_EQ(Read16(out16, pitch), ((9u >> 3) << 11) | ((8u >> 2) << 5) | (7u >> 3));
    for (int i = 4; i < pitch; ++i) EXPECT_EQ(out16[i], 0xEE) << i;

    ChannelShifts shifts = ComputeChannelShifts({32, 0xFF0000, 0xFF00, 0xFF, 0});
    std::vector<uint8_t> out32(24 * 2, 0xEE);
    ConvertRowMasked(shifts, src.data(), 8, out32.data(), 24, 2, 2);
    EXPECT_EQ(out32[24], 7);
    EXPECT_EQ(out32[24 + 6], 12);
    EXPECT_EQ(out32[8], 0xEE);
}

TEST(FrameConversion, ChannelShiftsOfA4444FormatMarkEveryPixelWithTheAlphaMask) {
    const ChannelShifts s = ComputeChannelShifts({16, 0xF00, 0xF0, 0xF, 0xF000});
    EXPECT_EQ(s.bytesPerPixel, 2);
    EXPECT_EQ(s.redLoss, 4);
    EXPECT_EQ(s.greenLoss, 4);
    EXPECT_EQ(s.blueLoss, 4);
    EXPECT_EQ(s.redShift, 8);
    EXPECT_EQ(s.greenShift, 4);
    EXPECT_EQ(s.blueShift, 0);
    const auto src = Frame({0, Pixel(0xFF, 0x80, 0x10)});
    std::vector<uint8_t> out(4);
    ConvertRowMasked(s, src.data(), 8, out.data(), 4, 2, 1);
    EXPECT_EQ(Read16(out, 0), 0xF000u);
    EXPECT_EQ(Read16(out, 2), 0xF000u | (0x1u << 8) | (0x8u << 4) | 0xFu);
}

TEST(FrameConversion, MaskedFormatsOfOtherWidths) {
    // Channels wider than eight bits are widened, never shifted by a negative count.
    const ChannelShifts wide = ComputeChannelShifts({32, 0x3FF00000, 0xFFC00, 0x3FF, 0});
    EXPECT_EQ(wide.redLoss, -2);
    const auto src = Frame({Pixel(0xFF, 0x01, 0x80)});
    std::vector<uint8_t> out(4);
    ConvertRowMasked(wide, src.data(), 4, out.data(), 4, 1, 1);
    const uint32_t v = out[0] | (out[1] << 8) | (out[2] << 16) | (static_cast<uint32_t>(out[3]) << 24);
    EXPECT_EQ(v, (0x200u << 20) | (0x4u << 10) | 0x3FCu);

    // Three bytes, low byte first; other sizes write nothing.
    const ChannelShifts packed = ComputeChannelShifts({24, 0xFF, 0xFF00, 0xFF0000, 0});
    std::vector<uint8_t> out3(3);
    ConvertRowMasked(packed, src.data(), 4, out3.data(), 3, 1, 1);
    EXPECT_EQ(out3, (std::vector<uint8_t>{0x80, 0x01, 0xFF}));
    const ChannelShifts eight = ComputeChannelShifts({8, 0xE0, 0x1C, 0x3, 0});
    std::vector<uint8_t> out8(2, 0xEE);
    ConvertRowMasked(eight, src.data(), 4, out8.data(), 1, 1, 1);
    EXPECT_EQ(out8[0], 0xEE);
    EXPECT_FALSE(ConvertFrame(ConversionMode::Masked, eight, src.data(), 4, out8.data(), 1, 1, 1));
}

TEST(FrameConversion, ModeIsChosenFromTheMasks) {
    EXPECT_EQ(ChooseConversionMode({32, 0xFF0000, 0xFF00, 0xFF, 0}), ConversionMode::None);
    EXPECT_EQ(ChooseConversionMode({32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000}), ConversionMode::None);
    EXPECT_EQ(ChooseConversionMode({24, 0xFF0000, 0xFF00, 0xFF, 0}), ConversionMode::Packed24);
    EXPECT_EQ(ChooseConversionMode({16, 0xF800, 0x7E0, 0x1F, 0}), ConversionMode::Rgb565);
    EXPECT_EQ(ChooseConversionMode({16, 0x7C00, 0x3E0, 0x1F, 0}), ConversionMode::Rgb555);
    EXPECT_EQ(ChooseConversionMode({32, 0xFF, 0xFF00, 0xFF0000, 0}), ConversionMode::Masked);
}

TEST(FrameConversion, Rows32To24DropAlphaAtBothSteps) {
    const auto src = Frame({Pixel(1, 2, 3, 9), Pixel(4, 5, 6, 9), Pixel(7, 8, 9, 9), Pixel(10, 11, 12, 9)});
    std::vector<uint8_t> out(16, 0xEE);
    ConvertRows32To24(src.data(), out.data(), 2, 2, 8, 8);
    EXPECT_EQ(out, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 0xEE, 0xEE, 7, 8, 9, 10, 11, 12, 0xEE, 0xEE}));
}

TEST(FrameConversion, ReadBackOfSixteenAndTwentyFourBitSurfaces) {
    const std::vector<uint8_t> s565 = {0xFF, 0xFF, 0x00, 0xF8, 0xAA, 0xAA,   // row 0 + pad
                                       0xE0, 0x07, 0x1F, 0x00, 0xAA, 0xAA};  // row 1
    std::vector<uint8_t> out(2 * 2 * 4);
    ASSERT_TRUE(ReadBackSurface({s565.data(), 6, 16, 0x7E0}, out.data(), 8, 2, 2));
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 8),
              (std::vector<uint8_t>{0xF8, 0xFC, 0xF8, 0xFF, 0, 0, 0xF8, 0xFF}));
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + 8, out.end()),
              (std::vector<uint8_t>{0, 0xFC, 0, 0xFF, 0xF8, 0, 0, 0xFF}));
    const std::vector<uint8_t> s555 = {0xFF, 0x7F, 0xE0, 0x03};
    ASSERT_TRUE(ReadBackSurface({s555.data(), 4, 16, 0x3E0}, out.data(), 8, 2, 1));
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 8),
              (std::vector<uint8_t>{0xF8, 0xF8, 0xF8, 0xFF, 0, 0xF8, 0, 0xFF}));
    const std::vector<uint8_t> s24 = {1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(ReadBackSurface({s24.data(), 6, 24, 0}, out.data(), 8, 2, 1));
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 8),
              (std::vector<uint8_t>{1, 2, 3, 0xFF, 4, 5, 6, 0xFF}));
    std::vector<uint8_t> untouched(8, 0xEE);
    EXPECT_FALSE(ReadBackSurface({s24.data(), 8, 32, 0}, untouched.data(), 8, 2, 1));
    EXPECT_FALSE(ReadBackSurface({s24.data(), 2, 8, 0}, untouched.data(), 8, 2, 1));
    EXPECT_EQ(untouched, std::vector<uint8_t>(8, 0xEE));
}

}  // namespace
