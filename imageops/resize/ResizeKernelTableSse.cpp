#include "imageops/resize/ResizeKernelTableSse.h"

#include "imageops/resize/ResizeCubicRowsSse.h"
#include "imageops/resize/ResizeKernelAdapters.h"
#include "imageops/resize/ResizeLanczosRowsSse.h"
#include "imageops/resize/ResizeLinearRowsSse.h"
#include "imageops/resize/ResizeNearestRows.h"

using namespace resize_adapters;
using std::uint16_t;
using std::uint8_t;

const ResizeKernel ResizeKernelTableSse[kResizeKernelCount] = {
    Lanczos<uint8_t, ResizeLanczosRows8uSse>,
    Lanczos<uint16_t, ResizeLanczosRows16uSse>,
    Lanczos<float, ResizeLanczosRows32fSse>,
    LanczosC1<uint8_t, ResizeLanczosRows8u1Sse>,
    LanczosC1<uint16_t, ResizeLanczosRows16u1Sse>,
    LanczosC1<float, ResizeLanczosRows32f1Sse>,
    Cubic<uint8_t, ResizeCubicRows8uSse>,
    Cubic<uint16_t, ResizeCubicRows16uSse>,
    Cubic<float, ResizeCubicRows32fSse>,
    CubicC1<uint8_t, ResizeCubicRows8u1Sse>,
    CubicC1<uint16_t, ResizeCubicRows16u1Sse>,
    CubicC1<float, ResizeCubicRows32f1Sse>,
    Linear<uint8_t, ResizeLinearRows8uSse>,
    Linear<uint16_t, ResizeLinearRows16uSse>,
    Linear<float, ResizeLinearRows32fSse>,
    LinearC1<uint8_t, ResizeLinearRows8u1Sse>,
    LinearC1<uint16_t, ResizeLinearRows16u1Sse>,
    LinearC1<float, ResizeLinearRows32f1Sse>,
    Nearest<uint8_t, ResizeNearestRows8u3>,
    Nearest<uint16_t, ResizeNearestRows16u3>,
    Nearest<float, ResizeNearestRows32f3>,
    Nearest<uint8_t, ResizeNearestRows8u1>,
    Nearest<uint16_t, ResizeNearestRows16u1>,
    Nearest<float, ResizeNearestRows32f1>,
    Nearest<uint8_t, ResizeNearestRows8u4>,
    Nearest<uint16_t, ResizeNearestRows16u4>,
    Nearest<float, ResizeNearestRows32f4>,
};
