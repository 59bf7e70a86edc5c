#include "imageops/resize/ResizeKernelTable.h"

#include "imageops/resize/ResizeCubicRows.h"
#include "imageops/resize/ResizeKernelAdapters.h"
#include "imageops/resize/ResizeLanczosRows.h"
#include "imageops/resize/ResizeLinearRows.h"
#include "imageops/resize/ResizeNearestRows.h"

const ResizeKernel ResizeKernelTable[kResizeKernelCount] = QM_RESIZE_KERNEL_TABLE();
