#include "imageops/resize/ResizeLanczosRowsSse3.h"

#include "imageops/resize/BlockFillCopySse3.h"
#include "imageops/resize/LanczosPassesSimd.h"
#include "imageops/resize/LanczosRowKernels.h"

namespace {

void CopyRow(const float* from, float* to, std::int64_t count) {
    CopyIntsSse3(from, to, count);
}

}  // namespace

QM_DEFINE_LANCZOS_KERNELS(Sse3, SimdLanczosPasses, CopyRow)
