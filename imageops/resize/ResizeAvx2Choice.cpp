#include "imageops/resize/ResizeAvx2Choice.h"

#include "imageops/CpuDetection.h"

#include <cstdlib>
#include <cstring>

bool ResizeMayUseAvx2() {
    const char* test = std::getenv("QUILLOMAR_TEST");
    const char* avx2 = std::getenv("QUILLOMAR_RESIZE_AVX2");
    if (test != nullptr && std::strcmp(test, "1") == 0 && avx2 != nullptr && std::strcmp(avx2, "0") == 0) {
        return false;
    }
    return SupportsAvx2(ReadCpuidSnapshot());
}
