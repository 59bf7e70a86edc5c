#include "imageops/resize/ResizeLinearRowsSse3.h"

#include "imageops/resize/LinearPassesSimd.h"
#include "imageops/resize/LinearRowKernels.h"

QM_DEFINE_LINEAR_KERNELS(Sse3, SimdLinearPasses)
