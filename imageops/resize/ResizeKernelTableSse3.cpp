#include "imageops/resize/ResizeKernelTableSse3.h"

#include "imageops/resize/ResizeCubicRowsSse3.h"
#include "imageops/resize/ResizeKernelAdapters.h"
#include "imageops/resize/ResizeLanczosRowsSse3.h"
#include "imageops/resize/ResizeLinearRowsSse3.h"
#include "imageops/resize/ResizeNearestRows.h"

const ResizeKernel ResizeKernelTableSse3[kResizeKernelCount] = QM_RESIZE_KERNEL_TABLE(Sse3);
