#pragma once

#include "imageops/resize/ResizeCore.h"

// The SSE3 build's resize driver: the arguments, checks, statuses, clipping, sizing and position
// tables of ResizeCore (ResizeCore.h), with the SSE3 kernels and Lanczos-3 weights made in
// single precision (LanczosWeightsSimd.h).
ResizeCoreEntry ResizeCoreSse3;
