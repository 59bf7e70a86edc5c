#include "framework/gfx/SoftwareCompositor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

// A 32-bit top-down block with helpers to read and write pixels as 0xAARRGGBB words.
struct Block {
    Block(int32_t w, int32_t h, uint32_t fill = 0) : width(w), height(h), bytes(static_cast<size_t>(w) * h * 4) {
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) Set(x, y, fill);
    }
    void Set(int32_t x, int32_t y, uint32_t v) {
        for (int b = 0; b < 4; ++b) bytes[(static_cast<size_t>(y) * width + x) * 4 + b] = static_cast<uint8_t>(v >> (8 * b));
    }
    uint32_t At(int32_t x, int32_t y) const {
        const uint8_t* p = &bytes[(static_cast<size_t>(y) * width + x) * 4];
        return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
    }
    PixelTarget Target() { return PixelTarget{bytes.data(), width * 4, width, height}; }
    SoftwareCopy Copy(bool hasAlpha, bool keyed) const {
        return SoftwareCopy{bytes.data(), width * 4, width, height, hasAlpha, keyed};
    }
    int32_t width;
    int32_t height;
    std::vector<uint8_t> bytes;
};

int Channel(uint32_t v, int i) { return (v >> (8 * i)) & 0xFF; }

void ExpectNear(uint32_t actual, uint32_t expected, int tolerance, int channels = 3) {
    for (int i = 0; i < channels; ++i) {
        EXPECT_LE(std::abs(Channel(actual, i) - Channel(expected, i)), tolerance)
            << std::hex << actual << " vs " << expected << " channel " << i;
    }
}

// Picture whose pixel words record their own coordinates, opaque.
Block Numbered(int32_t w, int32_t h) {
    Block b(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) b.Set(x, y, 0xFF000000u | (y << 8) | x);
    return b;
}

TEST(SoftwareCompositor, OpaqueDrawClipsAtTheLeftEdge) {
    Block picture = Numbered(50, 4);
    Block frame(800, 600, 0x11223344);
    BlitSoftware(picture.Copy(false, false), -10, 5, Rect{0, 0, 50, 4}, 100, 100, 255, frame.Target());
    EXPECT_EQ(frame.At(0, 5) & 0xFFFFFF, 10u);  // picture column 10 at the frame's left edge
    EXPECT_EQ(frame.At(39, 8) & 0xFFFFFF, (3u << 8) | 49u);
    EXPECT_EQ(frame.At(40, 5), 0x11223344u);
    EXPECT_EQ(frame.At(0, 9), 0x11223344u);
    EXPECT_EQ(frame.At(0, 5) >> 24, 0x11u);  // colour copy keeps the frame's alpha
}

// Drawing into a target smaller than the frame stops at its real edges, and a source rectangle
// that reaches outside the picture is cut to it (the address sanitizer watches both).
TEST(SoftwareCompositor, ClipsToTheRealTargetAndSource) {
    Block picture = Numbered(30, 30);
    Block small(20, 10, 0);
    BlitSoftware(picture.Copy(false, false), 5, 3, Rect{0, 0, 30, 30}, 100, 100, 255, small.Target());
    EXPECT_EQ(small.At(19, 9) & 0xFFFFFF, (6u << 8) | 14u);
    EXPECT_EQ(small.At(4, 3), 0u);

    Block frame(40, 40, 0);
    BlitSoftware(picture.Copy(false, false), 0, 0, Rect{-5, -5, 100, 100}, 100, 100, 255, frame.Target());
    EXPECT_EQ(frame.At(4, 4), 0u);
    EXPECT_EQ(frame.At(5, 5) & 0xFFFFFF, 0u);
    EXPECT_EQ(frame.At(34, 34) & 0xFFFFFF, (29u << 8) | 29u);
    EXPECT_EQ(frame.At(35, 35), 0u);

    Block untouched(40, 40, 0x55);
    BlitSoftware(picture.Copy(false, false), 0, 0, Rect{30, 0, 60, 10}, 100, 100, 255, untouched.Target());
    BlitSoftware(picture.Copy(false, false), 0, 0, Rect{0, 0, 10, 10}, 100, 100, 0, untouched.Target());
    BlitSoftware(picture.Copy(false, false), 0, 0, Rect{0, 0, 10, 10}, 1, 100, 255, untouched.Target());
    EXPECT_EQ(untouched.bytes, Block(40, 40, 0x55).bytes);
}

TEST(SoftwareCompositor, KeyedCopyLeavesTheKeyedPixels) {
    Block picture(2, 1);
    picture.Set(0, 0, 0);  // a keyed pixel is all zero in the copy
    picture.Set(1, 0, 0xFF102030);
    Block frame(4, 1, 0x00ABCDEF);
    BlitSoftware(picture.Copy(false, true), 0, 0, Rect{0, 0, 2, 1}, 100, 100, 255, frame.Target());
    EXPECT_EQ(frame.At(0, 0), 0x00ABCDEFu);
    EXPECT_EQ(frame.At(1, 0), 0xFF102030u);
    // Below full alpha the keyed pixels still leave the frame alone.
    Block faded(4, 1, 0x00ABCDEF);
    BlitSoftware(picture.Copy(false, true), 0, 0, Rect{0, 0, 2, 1}, 100, 100, 128, faded.Target());
    EXPECT_EQ(faded.At(0, 0), 0x00ABCDEFu);
    ExpectNear(faded.At(1, 0), 0x005E7690u, 2);
}

TEST(SoftwareCompositor, PremultipliedAlphaAndConstantAlpha) {
    Block picture(3, 1);
    picture.Set(0, 0, 0x80800000);  // red at alpha 128, premultiplied
    picture.Set(1, 0, 0xFF0000FF);  // opaque blue
    picture.Set(2, 0, 0);           // transparent
    Block frame(3, 1, 0xFF0000FF);
    BlitSoftware(picture.Copy(true, false), 0, 0, Rect{0, 0, 3, 1}, 100, 100, 255, frame.Target());
    ExpectNear(frame.At(0, 0), 0x0080007F, 1);
    EXPECT_EQ(frame.At(1, 0), 0xFF0000FFu);
    EXPECT_EQ(frame.At(2, 0), 0xFF0000FFu);

    Block opaqueRed(1, 1, 0xFFFF0000);
    Block target(1, 1, 0xFF0000FF);
    BlitSoftware(opaqueRed.Copy(false, false), 0, 0, Rect{0, 0, 1, 1}, 100, 100, 128, target.Target());
    ExpectNear(target.At(0, 0), 0x0080007F, 1);
    Block target32(1, 1, 0xFF0000FF);
    BlitSoftware(opaqueRed.Copy(true, false), 0, 0, Rect{0, 0, 1, 1}, 100, 100, 128, target32.Target());
    ExpectNear(target32.At(0, 0), 0x0080007F, 1);
}

TEST(SoftwareCompositor, ScalingSamplesNearestPixels) {
    Block picture = Numbered(4, 4);
    Block frame(20, 20, 0);
    BlitSoftware(picture.Copy(false, false), 1, 1, Rect{1, 1, 3, 3}, 200, 300, 255, frame.Target());
    // Source 2x2 from (1,1) becomes 4x6 at (1,1).
    EXPECT_EQ(frame.At(1, 1) & 0xFFFF, 0x0101u);
    EXPECT_EQ(frame.At(2, 3) & 0xFFFF, 0x0101u);
    EXPECT_EQ(frame.At(3, 4) & 0xFFFF, 0x0202u);
    EXPECT_EQ(frame.At(4, 6) & 0xFFFF, 0x0202u);
    EXPECT_EQ(frame.At(5, 1), 0u);
    EXPECT_EQ(frame.At(1, 7), 0u);
    // Scaled down, clipped at the top-left.
    Block frame2(10, 10, 0);
    BlitSoftware(picture.Copy(false, false), -1, -1, Rect{0, 0, 4, 4}, 50, 50, 255, frame2.Target());
    EXPECT_NE(frame2.At(0, 0), 0u);
    EXPECT_EQ(frame2.At(1, 0), 0u);
    EXPECT_EQ(frame2.At(0, 1), 0u);
}

TEST(SoftwareCompositor, FillKeepsAlphaAndClips) {
    Block frame(10, 10, 0x7F000000);
    const Rect r{-5, 8, 3, 20};
    FillTargetRect(frame.Target(), &r, 0x00332211);  // COLORREF: red 0x11, green 0x22, blue 0x33
    EXPECT_EQ(frame.At(0, 8), 0x7F112233u);
    EXPECT_EQ(frame.At(2, 9), 0x7F112233u);
    EXPECT_EQ(frame.At(3, 9), 0x7F000000u);
    EXPECT_EQ(frame.At(0, 7), 0x7F000000u);
    FillTargetRect(frame.Target(), nullptr, 0x000000FF);
    EXPECT_EQ(frame.At(9, 0), 0x7FFF0000u);
}

TEST(SoftwareCompositor, BlendTowardsAColour) {
    Block frame(4, 4, 0xFF804020);
    Rect r{2, 2, 10, 10};
    BlendTargetRect(frame.Target(), r, 128, 0);
    EXPECT_EQ(r, (Rect{2, 2, 4, 4}));
    ExpectNear(frame.At(2, 2), 0xFF402010, 1);
    EXPECT_EQ(frame.At(1, 1), 0xFF804020u);
    Rect all{0, 0, 4, 4};
    Block white(4, 4, 0xFF000000);
    BlendTargetRect(white.Target(), all, 300, 0x00FFFFFF);  // alpha clamps to 255
    ExpectNear(white.At(0, 0), 0x00FFFFFF, 0);
    Rect half{0, 0, 1, 1};
    Block grey(1, 1, 0xFF000000);
    BlendTargetRect(grey.Target(), half, 128, 0x000000FF);  // red
    ExpectNear(grey.At(0, 0), 0x00800000, 1);
}

}  // namespace
