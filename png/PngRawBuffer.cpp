#include "png/PngRawBuffer.h"

#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

#if defined(__linux__)
constexpr size_t kHugePage = size_t{2} << 20;

size_t MappedLength(size_t size) { return (size + kHugePage - 1) & ~(kHugePage - 1); }

// A large buffer is mapped in whole huge pages where the system grants them: written once from
// fresh memory, it would otherwise fault once per 4 KB page, and in a virtual machine those
// faults cost more than inflating into it. The last huge page may hold up to 2 MB beyond the
// image, for as long as the buffer lives.
uint8_t* MapHuge(size_t size) {
    const size_t length = MappedLength(size);
    void* area = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED) return nullptr;
    // Only pages on a huge-page boundary can be huge: the mapping is cut down to those.
    const auto at = reinterpret_cast<uintptr_t>(area);
    const uintptr_t aligned = (at + kHugePage - 1) & ~uintptr_t(kHugePage - 1);
    if (aligned > at) munmap(area, aligned - at);
    munmap(reinterpret_cast<void*>(aligned + length), at + kHugePage - aligned);
    madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE);
    return reinterpret_cast<uint8_t*>(aligned);
}
#endif

}  // namespace

uint8_t* PngAllocateRaw(size_t size) {
#if defined(__linux__)
    if (size >= kHugePage) return MapHuge(size);
#endif
    return static_cast<uint8_t*>(std::malloc(size));
}

void PngFreeRaw(uint8_t* raw, size_t size) {
    if (!raw) return;
#if defined(__linux__)
    if (size >= kHugePage) {
        munmap(raw, MappedLength(size));
        return;
    }
#endif
    std::free(raw);
}
