#pragma once

#include "imageops/resize/ResizeKernelTable.h"

// The SSE build's 27 kernels, laid out as ResizeKernelTable. Its nearest-neighbour kernels
// are the plain build's (a copy has no arithmetic to speed up); every other entry is the SSE
// member of its family.
extern const ResizeKernel ResizeKernelTableSse[kResizeKernelCount];
