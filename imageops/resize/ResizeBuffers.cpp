#include "imageops/resize/ResizeBuffers.h"

#include "imageops/AlignedAlloc.h"

#include <limits>

namespace {

void* AllocElements(std::int64_t count, std::int64_t elementSize) {
    if (count < 1 || count > std::numeric_limits<std::int64_t>::max() / elementSize) {
        return nullptr;
    }
    return AlignedAlloc(count * elementSize);
}

}  // namespace

void* AlignedAllocInts(std::int64_t count) {
    return AllocElements(count, 4);
}

void* AlignedAllocShorts(std::int64_t count) {
    return AllocElements(count, 2);
}
