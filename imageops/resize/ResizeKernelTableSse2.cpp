#include "imageops/resize/ResizeKernelTableSse2.h"

#include "imageops/resize/ResizeCubicRowsSse2.h"
#include "imageops/resize/ResizeKernelAdapters.h"
#include "imageops/resize/ResizeLanczosRowsSse2.h"
#include "imageops/resize/ResizeLinearRowsSse2.h"
#include "imageops/resize/ResizeNearestRows.h"

const ResizeKernel ResizeKernelTableSse2[kResizeKernelCount] = QM_RESIZE_KERNEL_TABLE(Sse2);
