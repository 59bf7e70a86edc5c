#pragma once

#include "imageops/resize/ResizeKernelTable.h"

// The SSE2 build's 27 kernels, in the layout of ResizeKernelTable. The nearest-neighbour
// kernels copy samples and are the plain build's; the others are this build's own.
extern const ResizeKernel ResizeKernelTableSse2[kResizeKernelCount];
