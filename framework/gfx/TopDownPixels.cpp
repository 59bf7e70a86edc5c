#include "framework/gfx/TopDownPixels.h"

#include "framework/gfx/Image.h"

std::vector<uint8_t> TopDownPixels(const Image& image) {
    if (!image.pixels || image.width <= 0 || image.height <= 0) return {};
    if (image.bitsPerPixel != 24 && image.bitsPerPixel != 32) return {};
    const int32_t bytes = image.bitsPerPixel / 8;
    std::vector<uint8_t> out(static_cast<size_t>(image.width) * image.height * 4);
    uint8_t* dst = out.data();
    for (int32_t y = 0; y < image.height; ++y) {
        const int32_t row = image.rowsFlipped ? y : image.height - 1 - y;
        const uint8_t* src = image.pixels + static_cast<int64_t>(row) * image.rowStep;
        for (int32_t x = 0; x < image.width; ++x, src += bytes, dst += 4) {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
            if (bytes == 4) {
                dst[3] = src[3];
            } else {
                const uint32_t colour = src[0] | (src[1] << 8) | (static_cast<uint32_t>(src[2]) << 16);
                dst[3] = image.hasColourKey && colour == image.colourKey ? 0 : 0xFF;
            }
        }
    }
    return out;
}
