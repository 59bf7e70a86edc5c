#include "imageops/ImageAlloc.h"

#include "imageops/AlignedAlloc.h"

#include <limits>

namespace {

std::uint8_t* AllocImage(std::int32_t width, std::int32_t height, std::int32_t* stepOut,
                         std::int64_t bytesPerPixel) {
    if (stepOut == nullptr) {
        return nullptr;
    }
    *stepOut = 0;
    if (width < 1 || height < 1) {
        return nullptr;
    }
    const std::int64_t step = (static_cast<std::int64_t>(width) * bytesPerPixel + 31) & ~std::int64_t{31};
    if (step > std::numeric_limits<std::int32_t>::max()) {
        return nullptr;
    }
    *stepOut = static_cast<std::int32_t>(step);
    return static_cast<std::uint8_t*>(AlignedAlloc(step * height));
}

}  // namespace

std::uint8_t* AllocImage8u3(std::int32_t width, std::int32_t height, std::int32_t* stepOut) {
    return AllocImage(width, height, stepOut, 3);
}

std::uint8_t* AllocImage8u4(std::int32_t width, std::int32_t height, std::int32_t* stepOut) {
    return AllocImage(width, height, stepOut, 4);
}

void FreeImage(void* image) { AlignedFree(image); }
