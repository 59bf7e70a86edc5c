// Fuzz entry of the font metrics reader: the block as a whole metrics text.
#include <cstdint>

#include "framework/gfx/FontMetrics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FontMetrics metrics;
    metrics.ParseText(reinterpret_cast<const char*>(data), size);
    return 0;
}
