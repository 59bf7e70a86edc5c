#include "imageops/resize/ResizeCubicRowsSse2.h"

#include "imageops/resize/CubicPassesSimd.h"
#include "imageops/resize/CubicRowKernels.h"

QM_DEFINE_CUBIC_KERNELS(Sse2, SimdCubicPasses<CubicFloat3of4Sum::kFirstTapLast>)
