#pragma once

#include "imageops/resize/ResizeLinearRows.h"

#include <cstdint>

// The SSE build's linear kernels: arguments, row window and layouts of ResizeLinearRows.h.
// 8-bit and 16-bit kernels compute in Q14 integers and give the plain build's bytes. Float
// kernels round every step to single precision: the horizontal blend p0 + (p1 - p0) * fx and
// the vertical U * (1 - t) + L * t with 1 - t formed in single precision, four values per
// vector step in the one-channel horizontal pass and the contiguous vertical pass; their
// results may differ from the plain build's double-precision ones in the last bit.

LinearInterleavedKernel<std::uint8_t> ResizeLinearRows8uSse;
LinearInterleavedKernel<std::uint16_t> ResizeLinearRows16uSse;
LinearInterleavedKernel<float> ResizeLinearRows32fSse;
LinearSingleKernel<std::uint8_t> ResizeLinearRows8u1Sse;
LinearSingleKernel<std::uint16_t> ResizeLinearRows16u1Sse;
LinearSingleKernel<float> ResizeLinearRows32f1Sse;
