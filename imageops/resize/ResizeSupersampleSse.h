#pragma once

#include "imageops/resize/ResizeSupersample.h"

// The SSE build of area averaging: ResizeSupersample (ResizeSupersample.h) with the same
// arguments, checks, statuses and results, running the SSE build's workers.
ResizeSupersampleEntry ResizeSupersampleSse;
