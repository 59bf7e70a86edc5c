#pragma once
// Sizes of a PNG image's rows, derived from IHDR's colour type, bit depth and width. All sizes
// are 64-bit so that no product of file values can wrap.

#include <cstdint>

// Samples per pixel: 0 grey 1, 2 RGB 3, 3 palette 1, 4 grey+alpha 2, 6 RGBA 4; anything else 0.
inline uint32_t PngChannels(uint32_t colourType) {
    switch (colourType) {
        case 0: return 1;
        case 2: return 3;
        case 3: return 1;
        case 4: return 2;
        case 6: return 4;
        default: return 0;
    }
}

// Whether the decoder takes this (colour type, bit depth) pair.
inline bool PngIsAcceptedFormat(uint32_t colourType, uint32_t bitDepth) {
    switch (colourType) {
        case 0: return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 ||
                       bitDepth == 16;
        case 3: return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
        case 2:
        case 4:
        case 6: return bitDepth == 8 || bitDepth == 16;
        default: return false;
    }
}

// Bytes of one row's packed samples, without the filter byte.
inline uint64_t PngRowLength(uint32_t colourType, uint32_t bitDepth, uint32_t width) {
    return (uint64_t(PngChannels(colourType)) * bitDepth * width + 7) / 8;
}

// The inflated image: every row is its filter byte plus its packed samples.
inline uint64_t PngRawSize(uint32_t colourType, uint32_t bitDepth, uint32_t width,
                           uint32_t height) {
    return (PngRowLength(colourType, bitDepth, width) + 1) * height;
}

// Distance in bytes to the corresponding byte of the pixel to the left, at least 1.
inline uint32_t PngFilterStep(uint32_t colourType, uint32_t bitDepth) {
    const uint32_t step = PngChannels(colourType) * bitDepth / 8;
    return step ? step : 1;
}
