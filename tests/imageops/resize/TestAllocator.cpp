#include "tests/imageops/resize/AllocationControl.h"

#include "imageops/AlignedAlloc.h"

#include <cstdlib>
#include <cstring>

namespace {

int failAt = -1;
int attempted = 0;
int live = 0;

constexpr std::size_t kHeader = 32;

}  // namespace

void FailAllocationAt(int index) {
    failAt = index;
    attempted = 0;
}

int AllocationsAttempted() {
    return attempted;
}

int LiveBlocks() {
    return live;
}

void* AlignedAlloc(std::int64_t byteCount) {
    const int number = attempted++;
    if (byteCount < 1 || number == failAt || byteCount > (std::int64_t{1} << 40)) {
        return nullptr;
    }
    // A 32-byte header keeps the payload on a 32-byte boundary of aligned_alloc's block.
    const std::size_t total = (static_cast<std::size_t>(byteCount) + kHeader + 31) & ~std::size_t{31};
    auto* base = static_cast<unsigned char*>(std::aligned_alloc(32, total));
    if (base == nullptr) {
        return nullptr;
    }
    ++live;
    return base + kHeader;
}

void AlignedFree(void* block) {
    if (block == nullptr) {
        return;
    }
    --live;
    std::free(static_cast<unsigned char*>(block) - kHeader);
}
