// libFuzzer target of the BMP loader; see CMakeLists.txt beside it for the build.
#include "bench/framework/gfx/ImageLoaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LoadFuzzedImage(FuzzedImageFormat::BmpFile, data, size);
    // The same bytes past the file header, as a bitmap resource holds them.
    if (size > 14) LoadFuzzedImage(FuzzedImageFormat::BmpResource, data + 14, size - 14);
    return 0;
}
