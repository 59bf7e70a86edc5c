#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "framework/gfx/Image.h"

// Small made-up pictures the display tests draw, each with a pattern that shows where a pixel
// came from.

// Picture pixel (x, y) in top-down coordinates of a bottom-up image.
inline uint8_t* PixelOf(Image& image, int32_t x, int32_t y) {
    return image.pixels + static_cast<int64_t>(image.height - 1 - y) * image.rowStep + x * (image.bitsPerPixel / 8);
}

inline std::unique_ptr<Image> MakeImage(int32_t w, int32_t h, int32_t bits, uint32_t (*colour)(int32_t, int32_t)) {
    auto image = std::make_unique<Image>();
    image->width = w;
    image->height = h;
    image->bitsPerPixel = bits;
    EXPECT_TRUE(image->AllocatePixels());
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const uint32_t argb = colour(x, y);
            uint8_t* p = PixelOf(*image, x, y);
            for (int32_t b = 0; b < bits / 8; ++b) p[b] = static_cast<uint8_t>(argb >> (8 * b));
        }
    }
    return image;
}

inline uint32_t Gradient(int32_t x, int32_t y) {
    return 0xFF000000u | (static_cast<uint32_t>(x * 4) << 16) | (static_cast<uint32_t>(y * 4) << 8) | 0x40;
}
inline uint32_t AlphaRamp(int32_t x, int32_t y) {
    return (static_cast<uint32_t>(x * 255 / 47) << 24) | (static_cast<uint32_t>(200 - y) << 16) | 0x3080;
}
// 2x2 blocks of one colour, so that nearest sampling at any phase inside a block agrees.
inline uint32_t Blocks(int32_t x, int32_t y) {
    return 0xFF000000u | (static_cast<uint32_t>((x / 2) * 37 % 256) << 16) | (static_cast<uint32_t>((y / 2) * 53 % 256) << 8);
}
// Magenta (the key) in a diamond, a solid colour elsewhere.
inline uint32_t Keyed(int32_t x, int32_t y) {
    return std::abs(x - 20) + std::abs(y - 20) < 12 ? 0xFFFF00FF : 0xFF20C040;
}

