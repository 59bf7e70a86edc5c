#pragma once

#include "imageops/resize/ResizeLinearRows.h"

#include <cstdint>

// The linear kernels of the SSE3 build: the arguments, window and integer results of the plain
// kernels (ResizeLinearRows.h); float kernels round every operation to single precision, so
// their results may differ from the plain build's in the last bit. ResizeLinearRows8uSse3 hands
// its work to ResizeLinearRows8uAvx2 where ResizeMayUseAvx2 allows, asking once per process.

LinearInterleavedKernel<std::uint8_t> ResizeLinearRows8uSse3;
LinearInterleavedKernel<std::uint16_t> ResizeLinearRows16uSse3;
LinearInterleavedKernel<float> ResizeLinearRows32fSse3;
LinearSingleKernel<std::uint8_t> ResizeLinearRows8u1Sse3;
LinearSingleKernel<std::uint16_t> ResizeLinearRows16u1Sse3;
LinearSingleKernel<float> ResizeLinearRows32f1Sse3;
