#include "imageops/resize/BlockFillCopy.h"

#include <cstddef>
#include <cstring>

ImageOpStatus ZeroBytes(void* block, std::int64_t byteCount) {
    if (block == nullptr) {
        return ImageOpStatus::NullPointer;
    }
    if (byteCount < 1) {
        return ImageOpStatus::BadSize;
    }
    std::memset(block, 0, static_cast<std::size_t>(byteCount));
    return ImageOpStatus::Ok;
}

ImageOpStatus CopyInts(const void* src, void* dst, std::int64_t count) {
    if (src == nullptr || dst == nullptr) {
        return ImageOpStatus::NullPointer;
    }
    if (count < 1) {
        return ImageOpStatus::BadSize;
    }
    std::memcpy(dst, src, static_cast<std::size_t>(count) * 4);
    return ImageOpStatus::Ok;
}
