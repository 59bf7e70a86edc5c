#pragma once

#include <cstdint>

struct TextureTile;

// A decoded picture: 24- or 32-bit rows, bottom-up, blue-green-red(-alpha) with straight alpha.
// Besides its pixels it carries what the display device makes from them on first draw (texture
// tiles or a premultiplied top-down software copy), dropped whenever the pixels change.
class Image {
public:
    Image() = default;
    virtual ~Image() = default;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    int32_t width = 0;  // 0 for an empty image
    int32_t height = 0;
    uint8_t* pixels = nullptr;
    bool ownsPixels = false;  // false when the rows lie in place inside a resource or input block
    int32_t rowStep = 0;
    int32_t bitsPerPixel = 0;  // 24 or 32
    uint32_t colourKey = 0;    // 0x00RRGGBB, so it compares with a little-endian BGR pixel word
    bool hasColourKey = false;
    bool prepared = false;
    bool rowsFlipped = false;  // the rows are top-down while composing into the image
    TextureTile* tiles = nullptr;
    uint8_t* softwareCopy = nullptr;
    int32_t softwareCopyStep = 0;
};
