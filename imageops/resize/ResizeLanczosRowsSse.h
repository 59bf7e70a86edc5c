#pragma once

#include "imageops/resize/ResizeLanczosRows.h"

#include <cstdint>

// The SSE build's Lanczos-3 kernels: arguments, row window, edge rule and layouts of
// ResizeLanczosRows.h, one value at a time in single precision. The horizontal pass converts
// each sample to float and rounds every product and partial sum to single precision; the
// vertical pass sums the six rows likewise, then widens the sum to double, adds 1e-7 and
// truncates for integer samples (clamped to their range) or stores it for floats. Edge rows
// are copied with CopyIntsSse. A sum within single-precision rounding of an integer may land
// one code value away from the plain build's.

LanczosInterleavedKernel<std::uint8_t> ResizeLanczosRows8uSse;
LanczosInterleavedKernel<std::uint16_t> ResizeLanczosRows16uSse;
LanczosInterleavedKernel<float> ResizeLanczosRows32fSse;
LanczosSingleKernel<std::uint8_t> ResizeLanczosRows8u1Sse;
LanczosSingleKernel<std::uint16_t> ResizeLanczosRows16u1Sse;
LanczosSingleKernel<float> ResizeLanczosRows32f1Sse;
