#pragma once

#include "imageops/resize/ResizeLinearRows.h"

#include <cstdint>

// The 8-bit interleaved linear kernel for processors with AVX2, which the SSE3 build hands its
// 8-bit linear requests to when the processor and the system allow AVX2 (ResizeAvx2Choice.h):
// the arguments, window and results of ResizeLinearRows8u, byte for byte. Its column weight
// pairs must sum to 16384, as the driver makes them. Only that check may lead here: the file is
// compiled for AVX2.
LinearInterleavedKernel<std::uint8_t> ResizeLinearRows8uAvx2;
