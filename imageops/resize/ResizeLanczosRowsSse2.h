#pragma once

#include "imageops/resize/ResizeLanczosRows.h"

#include <cstdint>

// The Lanczos-3 kernels of the SSE2 build: the arguments, ring, taps and edge rules of the
// plain kernels (ResizeLanczosRows.h), with rows filtered in single precision (every product
// and partial sum rounded) and float columns summed in single precision; integer columns are
// the plain build's. Integer results can differ from the plain build's by one where a sum lies
// within rounding distance of an integer; float results carry single-precision rounding.

LanczosInterleavedKernel<std::uint8_t> ResizeLanczosRows8uSse2;
LanczosInterleavedKernel<std::uint16_t> ResizeLanczosRows16uSse2;
LanczosInterleavedKernel<float> ResizeLanczosRows32fSse2;
LanczosSingleKernel<std::uint8_t> ResizeLanczosRows8u1Sse2;
LanczosSingleKernel<std::uint16_t> ResizeLanczosRows16u1Sse2;
LanczosSingleKernel<float> ResizeLanczosRows32f1Sse2;
