#pragma once

#include "imageops/resize/ResizeCubicRows.h"

#include <cstdint>

// The cubic kernels of the SSE3 build: the arguments and ring of the plain kernels
// (ResizeCubicRows.h) in single precision. Integer values of each destination row's blocks of
// four are rounded to nearest (after adding 0.00001) where the plain build truncates, so they
// can be one higher; the last n mod 4 values of a row follow the plain rule. Float results
// carry single-precision rounding.

CubicInterleavedKernel<std::uint8_t> ResizeCubicRows8uSse3;
CubicInterleavedKernel<std::uint16_t> ResizeCubicRows16uSse3;
CubicInterleavedKernel<float> ResizeCubicRows32fSse3;
CubicSingleKernel<std::uint8_t> ResizeCubicRows8u1Sse3;
CubicSingleKernel<std::uint16_t> ResizeCubicRows16u1Sse3;
CubicSingleKernel<float> ResizeCubicRows32f1Sse3;
