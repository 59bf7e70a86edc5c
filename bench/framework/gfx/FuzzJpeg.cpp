// libFuzzer target of the JPEG loader; see CMakeLists.txt beside it for the build.
#include "bench/framework/gfx/ImageLoaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LoadFuzzedImage(FuzzedImageFormat::Jpeg, data, size);
    return 0;
}
