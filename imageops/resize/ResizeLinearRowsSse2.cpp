#include "imageops/resize/ResizeLinearRowsSse2.h"

#include "imageops/resize/LinearPassesSimd.h"
#include "imageops/resize/LinearRowKernels.h"

QM_DEFINE_LINEAR_KERNELS(Sse2, SimdLinearPasses)
