#include "imageops/resize/ResizeCubicRowsSse3.h"

#include "imageops/resize/CubicPassesSimd.h"
#include "imageops/resize/CubicRowKernels.h"

QM_DEFINE_CUBIC_KERNELS(Sse3, SimdCubicPasses<CubicFloat3of4Sum::kRemainderOrder>)
