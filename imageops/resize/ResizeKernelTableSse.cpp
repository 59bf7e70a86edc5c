#include "imageops/resize/ResizeKernelTableSse.h"

#include "imageops/resize/ResizeCubicRowsSse.h"
#include "imageops/resize/ResizeKernelAdapters.h"
#include "imageops/resize/ResizeLanczosRowsSse.h"
#include "imageops/resize/ResizeLinearRowsSse.h"
#include "imageops/resize/ResizeNearestRows.h"

const ResizeKernel ResizeKernelTableSse[kResizeKernelCount] = QM_RESIZE_KERNEL_TABLE(Sse);
