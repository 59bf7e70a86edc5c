#include "bench/framework/gfx/ImageLoaderFuzz.h"

#include "framework/gfx/BmpCodec.h"
#include "framework/gfx/Image.h"
#include "framework/gfx/TgaDecoder.h"

namespace {

// Sums every byte of every row, so that a row outside the loader's allocation is read.
uint32_t TouchRows(const Image& image) {
    uint32_t sum = 0;
    const int32_t rowBytes = image.width * (image.bitsPerPixel / 8);
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t* row = image.pixels + static_cast<int64_t>(y) * image.rowStep;
        for (int32_t x = 0; x < rowBytes; ++x) sum += row[x];
    }
    return sum;
}

}  // namespace

bool LoadFuzzedImage(FuzzedImageFormat format, const uint8_t* data, size_t size) {
    Image image;
    bool loaded = false;
    switch (format) {
        case FuzzedImageFormat::BmpFile: loaded = DecodeBmpFile(image, data, size); break;
        case FuzzedImageFormat::BmpResource: loaded = image.LoadFromMemory(data, size, ImageFormat::Bmp); break;
        case FuzzedImageFormat::Tga: loaded = image.LoadFromMemory(data, size, ImageFormat::Tga); break;
        case FuzzedImageFormat::Jpeg: loaded = image.LoadFromMemory(data, size, ImageFormat::Jpeg); break;
    }
    if (!loaded) return false;
    volatile uint32_t sink = TouchRows(image);
    (void)sink;
    return image.PrepareSoftwareCopy();
}
