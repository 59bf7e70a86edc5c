#include "imageops/resize/ResizeKernelTableSse3.h"

#include "imageops/resize/ResizeCubicRowsSse3.h"
#include "imageops/resize/ResizeKernelAdapters.h"
#include "imageops/resize/ResizeLanczosRowsSse3.h"
#include "imageops/resize/ResizeLinearRowsSse3.h"
#include "imageops/resize/ResizeNearestRows.h"

using namespace resize_adapters;
using std::uint16_t;
using std::uint8_t;

const ResizeKernel ResizeKernelTableSse3[kResizeKernelCount] = {
    Lanczos<uint8_t, ResizeLanczosRows8uSse3>,
    Lanczos<uint16_t, ResizeLanczosRows16uSse3>,
    Lanczos<float, ResizeLanczosRows32fSse3>,
    LanczosC1<uint8_t, ResizeLanczosRows8u1Sse3>,
    LanczosC1<uint16_t, ResizeLanczosRows16u1Sse3>,
    LanczosC1<float, ResizeLanczosRows32f1Sse3>,
    Cubic<uint8_t, ResizeCubicRows8uSse3>,
    Cubic<uint16_t, ResizeCubicRows16uSse3>,
    Cubic<float, ResizeCubicRows32fSse3>,
    CubicC1<uint8_t, ResizeCubicRows8u1Sse3>,
    CubicC1<uint16_t, ResizeCubicRows16u1Sse3>,
    CubicC1<float, ResizeCubicRows32f1Sse3>,
    Linear<uint8_t, ResizeLinearRows8uSse3>,
    Linear<uint16_t, ResizeLinearRows16uSse3>,
    Linear<float, ResizeLinearRows32fSse3>,
    LinearC1<uint8_t, ResizeLinearRows8u1Sse3>,
    LinearC1<uint16_t, ResizeLinearRows16u1Sse3>,
    LinearC1<float, ResizeLinearRows32f1Sse3>,
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
