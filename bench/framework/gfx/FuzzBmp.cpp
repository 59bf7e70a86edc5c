// libFuzzer target of the BMP loader; built by bench/fuzz, run by ./dev fuzz.
#include "bench/framework/gfx/ImageLoaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LoadFuzzedImage(FuzzedImageFormat::BmpFile, data, size);
    // The same bytes past the file header, as a bitmap resource holds them.
    if (size > 14) LoadFuzzedImage(FuzzedImageFormat::BmpResource, data + 14, size - 14);
    return 0;
}
