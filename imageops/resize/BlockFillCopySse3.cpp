#include "imageops/resize/BlockFillCopySse3.h"

#include "imageops/resize/BlockFillCopySimd.h"
#include "imageops/resize/IsaSse3.h"

ImageOpStatus ZeroBytesSse3(void* block, std::int64_t byteCount) {
    return CheckedZero(block, byteCount);
}

ImageOpStatus CopyIntsSse3(const void* src, void* dst, std::int64_t count) {
    return CheckedCopyInts<IsaSse3>(src, dst, count);
}
