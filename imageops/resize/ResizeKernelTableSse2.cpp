#include "imageops/resize/ResizeKernelTableSse2.h"

#include "imageops/resize/ResizeCubicRowsSse2.h"
#include "imageops/resize/ResizeKernelAdapters.h"
#include "imageops/resize/ResizeLanczosRowsSse2.h"
#include "imageops/resize/ResizeLinearRowsSse2.h"
#include "imageops/resize/ResizeNearestRows.h"

using namespace resize_adapters;
using std::uint16_t;
using std::uint8_t;

const ResizeKernel ResizeKernelTableSse2[kResizeKernelCount] = {
    Lanczos<uint8_t, ResizeLanczosRows8uSse2>,
    Lanczos<uint16_t, ResizeLanczosRows16uSse2>,
    Lanczos<float, ResizeLanczosRows32fSse2>,
    LanczosC1<uint8_t, ResizeLanczosRows8u1Sse2>,
    LanczosC1<uint16_t, ResizeLanczosRows16u1Sse2>,
    LanczosC1<float, ResizeLanczosRows32f1Sse2>,
    Cubic<uint8_t, ResizeCubicRows8uSse2>,
    Cubic<uint16_t, ResizeCubicRows16uSse2>,
    Cubic<float, ResizeCubicRows32fSse2>,
    CubicC1<uint8_t, ResizeCubicRows8u1Sse2>,
    CubicC1<uint16_t, ResizeCubicRows16u1Sse2>,
    CubicC1<float, ResizeCubicRows32f1Sse2>,
    Linear<uint8_t, ResizeLinearRows8uSse2>,
    Linear<uint16_t, ResizeLinearRows16uSse2>,
    Linear<float, ResizeLinearRows32fSse2>,
    LinearC1<uint8_t, ResizeLinearRows8u1Sse2>,
    LinearC1<uint16_t, ResizeLinearRows16u1Sse2>,
    LinearC1<float, ResizeLinearRows32f1Sse2>,
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
