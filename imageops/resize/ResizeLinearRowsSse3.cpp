#include "imageops/resize/ResizeLinearRowsSse3.h"

#include "imageops/resize/LinearPassesSimd.h"
#include "imageops/resize/LinearRowKernels.h"
#include "imageops/resize/ResizeAvx2Choice.h"
#include "imageops/resize/ResizeLinearRowsAvx2.h"

// The 8-bit kernel gives way to the AVX2 one where that may run; the processor is asked once.
void ResizeLinearRows8uSse3(QM_LINEAR_KERNEL_PARAMS(std::uint8_t), std::int32_t pixelStride,
                            std::int32_t channels) {
    static const bool avx2 = ResizeMayUseAvx2();
    if (avx2) {
        ResizeLinearRows8uAvx2(QM_LINEAR_KERNEL_ARGS, pixelStride, channels);
    } else {
        LinearInterleaved<SimdLinearPasses>(QM_LINEAR_KERNEL_ARGS, pixelStride, channels);
    }
}
QM_LINEAR_INTERLEAVED_KERNEL(ResizeLinearRows16uSse3, std::uint16_t, SimdLinearPasses)
QM_LINEAR_INTERLEAVED_KERNEL(ResizeLinearRows32fSse3, float, SimdLinearPasses)
QM_LINEAR_SINGLE_KERNEL(ResizeLinearRows8u1Sse3, std::uint8_t, SimdLinearPasses)
QM_LINEAR_SINGLE_KERNEL(ResizeLinearRows16u1Sse3, std::uint16_t, SimdLinearPasses)
QM_LINEAR_SINGLE_KERNEL(ResizeLinearRows32f1Sse3, float, SimdLinearPasses)
