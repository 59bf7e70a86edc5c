#include "imageops/resize/BlockFillCopySse2.h"

#include "imageops/resize/BlockFillCopySimd.h"
#include "imageops/resize/IsaSse2.h"

ImageOpStatus ZeroBytesSse2(void* block, std::int64_t byteCount) {
    return CheckedZero(block, byteCount);
}

ImageOpStatus CopyIntsSse2(const void* src, void* dst, std::int64_t count) {
    return CheckedCopyInts<IsaSse2>(src, dst, count);
}
