#include "imageops/AlignedAlloc.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr std::size_t kAlignment = static_cast<std::size_t>(kAlignedBlockAlignment);
constexpr std::size_t kSlot = sizeof(void*);
// Room for the slot plus the worst-case distance to the next boundary.
constexpr std::size_t kOverhead = kSlot + kAlignment - 1;

}  // namespace

void* AlignedAlloc(std::int64_t byteCount) {
    if (byteCount < 1) {
        return nullptr;
    }
    const auto count = static_cast<std::uint64_t>(byteCount);
    // No heap object may exceed PTRDIFF_MAX; refusing here keeps the sum below from wrapping.
    if (count > static_cast<std::uint64_t>(std::numeric_limits<std::ptrdiff_t>::max()) - kOverhead) {
        return nullptr;
    }
    void* heapBlock = std::malloc(static_cast<std::size_t>(count) + kOverhead);
    if (heapBlock == nullptr) {
        return nullptr;
    }
    const std::uintptr_t base = reinterpret_cast<std::uintptr_t>(heapBlock);
    const std::uintptr_t aligned = (base + kOverhead) & ~static_cast<std::uintptr_t>(kAlignment - 1);
    auto* result = reinterpret_cast<unsigned char*>(heapBlock) + (aligned - base);
    std::memcpy(result - kSlot, &heapBlock, kSlot);
    return result;
}

void AlignedFree(void* block) {
    if (block == nullptr) {
        return;
    }
    void* heapBlock = nullptr;
    std::memcpy(&heapBlock, static_cast<unsigned char*>(block) - kSlot, kSlot);
    std::free(heapBlock);
}
