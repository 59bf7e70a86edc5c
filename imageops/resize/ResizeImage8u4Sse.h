#pragma once

#include "imageops/resize/ResizeImage8u4.h"

// The SSE build's resize entry (dispatch slot 13 for SSE processors): ResizeImage8u4
// (ResizeImage8u4.h) calling ResizeSupersampleSse for area averaging with both factors at most
// 1 and ResizeCoreSse for every other request; the callee's status is returned unchanged.
ResizeImage8u4Entry ResizeImage8u4Sse;
