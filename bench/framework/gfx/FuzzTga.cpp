// libFuzzer target of the TGA loader; built by bench/fuzz, run by ./dev fuzz.
#include "bench/framework/gfx/ImageLoaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LoadFuzzedImage(FuzzedImageFormat::Tga, data, size);
    return 0;
}
