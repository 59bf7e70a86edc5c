#include "framework/gfx/PixelRowConverters.h"

#include <cstring>

#include "framework/gfx/ImageOpsBinding.h"

namespace {

uint32_t Bgr(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16);
}

void Store16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void Store32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

uint32_t Top4Rgb(const uint8_t* p) {
    return (static_cast<uint32_t>(p[2] >> 4) << 8) | (static_cast<uint32_t>(p[1] >> 4) << 4) |
           static_cast<uint32_t>(p[0] >> 4);
}

}  // namespace

void CopyPixels32(const uint8_t* src, uint8_t* dst, int32_t count) {
    if (count > 0) std::memcpy(dst, src, static_cast<size_t>(count) * 4);
}

void Convert888To8888(const uint8_t* src, uint8_t* dst, int32_t count) {
    for (int32_t i = 0; i < count; ++i, src += 3, dst += 4) Store32(dst, Bgr(src) | 0xFF000000u);
}

void Convert888To8888Keyed(const uint8_t* src, uint8_t* dst, int32_t count, uint32_t key) {
    for (int32_t i = 0; i < count; ++i, src += 3, dst += 4) {
        const uint32_t p = Bgr(src);
        Store32(dst, p == key ? 0u : p | 0xFF000000u);
    }
}

void Convert8888To4444(const uint8_t* src, uint8_t* dst, int32_t count) {
    for (int32_t i = 0; i < count; ++i, src += 4, dst += 2) {
        Store16(dst, (static_cast<uint32_t>(src[3] >> 4) << 12) | Top4Rgb(src));
    }
}

void Convert888To4444(const uint8_t* src, uint8_t* dst, int32_t count) {
    for (int32_t i = 0; i < count; ++i, src += 3, dst += 2) Store16(dst, 0xF000u | Top4Rgb(src));
}

void Convert888To4444Keyed(const uint8_t* src, uint8_t* dst, int32_t count, uint32_t key) {
    for (int32_t i = 0; i < count; ++i, src += 3, dst += 2) {
        Store16(dst, Bgr(src) == key ? 0u : 0xF000u | Top4Rgb(src));
    }
}

void Convert888To565(const uint8_t* src, int32_t srcPixelBytes, uint8_t* dst, int32_t count) {
    for (int32_t i = 0; i < count; ++i, src += srcPixelBytes, dst += 2) {
        Store16(dst, (static_cast<uint32_t>(src[2] >> 3) << 11) | (static_cast<uint32_t>(src[1] >> 2) << 5) |
                         static_cast<uint32_t>(src[0] >> 3));
    }
}

void CopyOpaquePixels(const uint8_t* src, uint8_t* dst, int32_t count) {
    BoundCopyOpaqueRow(gImageOpsDispatchTable)(src, dst, count);
}

bool ConvertPictureRows(const PictureRows& src, uint8_t* dstLastRow, int32_t dstStep,
                        int32_t dstBits, int32_t width, int32_t height, bool dstHasAlpha) {
    if (dstBits != 32 && dstBits != 16) return false;
    if (src.bitsPerPixel != 24 && src.bitsPerPixel != 32) return false;
    const bool is32 = src.bitsPerPixel == 32;
    for (int32_t r = 0; r < height; ++r) {
        const uint8_t* s = src.firstRow + static_cast<int64_t>(r) * src.step;
        uint8_t* d = dstLastRow - static_cast<int64_t>(r) * dstStep;
        if (dstBits == 32) {
            if (is32) CopyPixels32(s, d, width);
            else if (src.hasKey) Convert888To8888Keyed(s, d, width, src.key);
            else Convert888To8888(s, d, width);
        } else if (dstHasAlpha) {
            if (is32) Convert8888To4444(s, d, width);
            else if (src.hasKey) Convert888To4444Keyed(s, d, width, src.key);
            else Convert888To4444(s, d, width);
        } else {
            Convert888To565(s, is32 ? 4 : 3, d, width);
        }
    }
    return true;
}
