#include "imageops/resize/ResizeLanczosRowsSse2.h"

#include "imageops/resize/BlockFillCopySse2.h"
#include "imageops/resize/LanczosPassesSimd.h"
#include "imageops/resize/LanczosRowKernels.h"

namespace {

void CopyRow(const float* from, float* to, std::int64_t count) {
    CopyIntsSse2(from, to, count);
}

}  // namespace

QM_DEFINE_LANCZOS_KERNELS(Sse2, SimdLanczosPasses, CopyRow)
