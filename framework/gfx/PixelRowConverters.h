#pragma once

#include <cstdint>

// Row converters that fill textures and software copies from an image's rows. 24-bit sources
// are read three bytes per pixel (blue, green, red); a key is 0x00RRGGBB.
void CopyPixels32(const uint8_t* src, uint8_t* dst, int32_t count);
void Convert888To8888(const uint8_t* src, uint8_t* dst, int32_t count);
// Key colour -> 0x00000000; other pixels alpha 0xFF.
void Convert888To8888Keyed(const uint8_t* src, uint8_t* dst, int32_t count, uint32_t key);
// Each channel's top four bits, alpha in the top nibble.
void Convert8888To4444(const uint8_t* src, uint8_t* dst, int32_t count);
void Convert888To4444(const uint8_t* src, uint8_t* dst, int32_t count);
void Convert888To4444Keyed(const uint8_t* src, uint8_t* dst, int32_t count, uint32_t key);
// Reads the source as 24-bit pixels at the given byte stride (3 or 4).
void Convert888To565(const uint8_t* src, int32_t srcPixelBytes, uint8_t* dst, int32_t count);
// 32-bit to 32-bit: pixels whose alpha byte is not 0 are written opaque; the others leave the
// destination as it was. Runs in the build of the image primitives the global table holds.
void CopyOpaquePixels(const uint8_t* src, uint8_t* dst, int32_t count);

// A picture's rows, bottom-up from `srcLastRow` (the bottom stored row of the wanted part is
// the first row converted), into destination rows written from `dstLastRow` backwards by
// `dstStep`, so the destination comes out top-down. Destination depth 32, or 16 with or without
// alpha; other depths write nothing (false).
struct PictureRows {
    const uint8_t* firstRow = nullptr;  // the bottom-most stored row to convert
    int32_t step = 0;                   // from one stored row to the one above it
    int32_t bitsPerPixel = 0;
    bool hasKey = false;
    uint32_t key = 0;
};
bool ConvertPictureRows(const PictureRows& src, uint8_t* dstLastRow, int32_t dstStep,
                        int32_t dstBits, int32_t width, int32_t height, bool dstHasAlpha);
