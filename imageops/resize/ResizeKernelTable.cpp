#include "imageops/resize/ResizeKernelTable.h"

#include "imageops/resize/ResizeCubicRows.h"
#include "imageops/resize/ResizeKernelAdapters.h"
#include "imageops/resize/ResizeLanczosRows.h"
#include "imageops/resize/ResizeLinearRows.h"
#include "imageops/resize/ResizeNearestRows.h"

using namespace resize_adapters;
using std::uint16_t;
using std::uint8_t;

const ResizeKernel ResizeKernelTable[kResizeKernelCount] = {
    Lanczos<uint8_t, ResizeLanczosRows8u>,
    Lanczos<uint16_t, ResizeLanczosRows16u>,
    Lanczos<float, ResizeLanczosRows32f>,
    LanczosC1<uint8_t, ResizeLanczosRows8u1>,
    LanczosC1<uint16_t, ResizeLanczosRows16u1>,
    LanczosC1<float, ResizeLanczosRows32f1>,
    Cubic<uint8_t, ResizeCubicRows8u>,
    Cubic<uint16_t, ResizeCubicRows16u>,
    Cubic<float, ResizeCubicRows32f>,
    CubicC1<uint8_t, ResizeCubicRows8u1>,
    CubicC1<uint16_t, ResizeCubicRows16u1>,
    CubicC1<float, ResizeCubicRows32f1>,
    Linear<uint8_t, ResizeLinearRows8u>,
    Linear<uint16_t, ResizeLinearRows16u>,
    Linear<float, ResizeLinearRows32f>,
    LinearC1<uint8_t, ResizeLinearRows8u1>,
    LinearC1<uint16_t, ResizeLinearRows16u1>,
    LinearC1<float, ResizeLinearRows32f1>,
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
