#pragma once

#include "imageops/resize/ResizeCore.h"

// The SSE build of the general resize driver: ResizeCore (ResizeCore.h) with the same
// arguments, checks, statuses, tables and buffers, running ResizeKernelTableSse and taking its
// Lanczos-3 tap weights from LanczosWeightsSse.
ResizeCoreEntry ResizeCoreSse;
