#include "imageops/resize/ResizeLanczosRowsSse.h"

#include "imageops/resize/BlockFillCopySse.h"
#include "imageops/resize/LanczosPasses.h"
#include "imageops/resize/LanczosRowKernels.h"

namespace {

void CopyRow(const float* from, float* to, std::int64_t count) {
    CopyIntsSse(from, to, count);
}

}  // namespace

QM_DEFINE_LANCZOS_KERNELS(Sse, ScalarLanczosPasses<float>, CopyRow)
