#pragma once

#include "imageops/resize/ResizeImage8u4.h"

// ResizeImage8u4 (ResizeImage8u4.h) in the SSE2 build: area averaging with both factors at most
// 1 goes to ResizeSupersampleSse2, every other request to ResizeCoreSse2; the callee's status is
// returned unchanged.
ResizeImage8u4Entry ResizeImage8u4Sse2;
