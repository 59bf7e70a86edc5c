// libFuzzer entry over the whole decode: open, inflate, and every row converter the image takes,
// each into a destination of exactly the size it reports. Built as fuzz-png by bench/fuzz and
// run by `./dev fuzz png [seconds]` over a copy of the seed corpus tests/data/fuzz/png; the
// tests replay every seed through this same entry in the ordinary sanitizer build.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "png/PngDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0xFFFFFFFFu) return 0;
    PngDecoder dec;
    PngDecoderInit(&dec);
    if (PngDecoderOpenMemory(&dec, data, uint32_t(size)) && PngDecoderDecode(&dec)) {
        const uint64_t width = dec.width;
        const uint64_t height = dec.height;
        const uint64_t channels = dec.colourType == 2 ? 3 : dec.colourType == 4 ? 2
                                  : dec.colourType == 6 ? 4 : 1;
        const uint64_t rowLength = (channels * dec.bitDepth * width + 7) / 8;
        // Widest converted row: 8 bytes per pixel (16-bit B, G, R, A).
        if (width * height * 8 <= (64u << 20)) {
            static const uint32_t kBytesPerPixel[15] = {0, 0, 6, 6, 8, 2, 1, 3, 3, 4, 1, 0, 3, 3, 4};
            for (uint32_t format = 0; format < 15; ++format) {
                const uint64_t bytes = format == 11 ? (width + 1) / 2
                                       : kBytesPerPixel[format] ? width * kBytesPerPixel[format]
                                                                : rowLength;
                const size_t pitch = size_t(bytes);
                std::vector<uint8_t> out(pitch * size_t(height));
                PngDecoderWriteRows(&dec, out.data(), format, int32_t(pitch));
            }
        }
    }
    PngDecoderClose(&dec);
    return 0;
}
