// libFuzzer target of the TGA loader; see CMakeLists.txt beside it for the build.
#include "bench/framework/gfx/ImageLoaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LoadFuzzedImage(FuzzedImageFormat::Tga, data, size);
    return 0;
}
