#pragma once

// Whether the SSE3 build hands its 8-bit linear requests to the AVX2 kernel
// (ResizeLinearRowsAvx2.h): when this processor and its system run AVX2 (SupportsAvx2), unless
// the test harness (QUILLOMAR_TEST=1) sets QUILLOMAR_RESIZE_AVX2=0, so the tests can hold both
// kernels against the plain build on one machine. Asks CPUID and the environment at every call.
bool ResizeMayUseAvx2();
