#include "imageops/resize/ResizeLanczosRows.h"

#include "imageops/resize/BlockFillCopy.h"
#include "imageops/resize/LanczosPasses.h"
#include "imageops/resize/LanczosRowKernels.h"

namespace {

void CopyRow(const float* from, float* to, std::int64_t count) {
    CopyInts(from, to, count);
}

}  // namespace

QM_DEFINE_LANCZOS_KERNELS(, ScalarLanczosPasses<double>, CopyRow)
