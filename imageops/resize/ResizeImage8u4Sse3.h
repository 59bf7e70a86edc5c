#pragma once

#include "imageops/resize/ResizeImage8u4.h"

// ResizeImage8u4 (ResizeImage8u4.h) in the SSE3 build: area averaging with both factors at most
// 1 goes to ResizeSupersampleSse3, every other request to ResizeCoreSse3; the callee's status is
// returned unchanged.
ResizeImage8u4Entry ResizeImage8u4Sse3;
