#include "imageops/resize/BlockFillCopySse.h"

#include "imageops/resize/BlockFillCopySseKernels.h"

ImageOpStatus ZeroBytesSse(void* block, std::int64_t byteCount) {
    return sse_blocks::CheckedZero(block, byteCount);
}

ImageOpStatus CopyIntsSse(const void* src, void* dst, std::int64_t count) {
    return sse_blocks::CheckedCopyInts(src, dst, count);
}
