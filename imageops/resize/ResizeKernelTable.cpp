#include "imageops/resize/ResizeKernelTable.h"

#include "imageops/resize/ResizeCubicRows.h"
#include "imageops/resize/ResizeLanczosRows.h"
#include "imageops/resize/ResizeLinearRows.h"
#include "imageops/resize/ResizeNearestRows.h"

#include <type_traits>

namespace {

// Adapters from the driver's call record to each kernel's own argument list.

template <typename T>
const T* Source(const ResizeKernelCall& c) {
    return static_cast<const T*>(c.src);
}

template <typename T>
T* Destination(const ResizeKernelCall& c) {
    return static_cast<T*>(c.dst);
}

template <typename T>
T* Buffer(const ResizeKernelCall& c, int i) {
    return static_cast<T*>(c.lineBuffers[i]);
}

template <typename T>
const T* Weights(const void* weights) {
    return static_cast<const T*>(weights);
}

template <typename T, auto Kernel>
void Nearest(const ResizeKernelCall& c) {
    Kernel(Source<T>(c), Destination<T>(c), c.dstStep, c.dstWidth, c.dstHeight, c.rowOffsets,
           c.columnOffsets, c.pixelStride);
}

// Linear 8-bit and 16-bit kernels take Q14 weights and 16-bit buffers, float ones floats.
template <typename T>
using LinearWeight = std::conditional_t<std::is_same_v<T, float>, float, std::uint16_t>;

template <typename T, auto Kernel>
void Linear(const ResizeKernelCall& c) {
    using W = LinearWeight<T>;
    Kernel(Source<T>(c), Destination<T>(c), c.srcStep, c.dstStep, c.dstWidth, c.dstHeight,
           c.rowOffsets, c.columnOffsets, Weights<W>(c.rowWeights), Weights<W>(c.columnWeights),
           Buffer<W>(c, 0), Buffer<W>(c, 1), c.pixelStride, c.channels);
}

template <typename T, auto Kernel>
void LinearC1(const ResizeKernelCall& c) {
    using W = LinearWeight<T>;
    Kernel(Source<T>(c), Destination<T>(c), c.srcStep, c.dstStep, c.dstWidth, c.dstHeight,
           c.rowOffsets, c.columnOffsets, Weights<W>(c.rowWeights), Weights<W>(c.columnWeights),
           Buffer<W>(c, 0), Buffer<W>(c, 1));
}

template <typename T, auto Kernel>
void Cubic(const ResizeKernelCall& c) {
    Kernel(Source<T>(c), Destination<T>(c), c.srcStep, c.dstStep, c.dstWidth, c.dstHeight,
           c.rowOffsets, c.columnOffsets, Weights<float>(c.rowWeights),
           Weights<float>(c.columnWeights), Buffer<float>(c, 0), Buffer<float>(c, 1),
           Buffer<float>(c, 2), Buffer<float>(c, 3), c.pixelStride, c.channels);
}

template <typename T, auto Kernel>
void CubicC1(const ResizeKernelCall& c) {
    Kernel(Source<T>(c), Destination<T>(c), c.srcStep, c.dstStep, c.dstWidth, c.dstHeight,
           c.rowOffsets, c.columnOffsets, Weights<float>(c.rowWeights),
           Weights<float>(c.columnWeights), Buffer<float>(c, 0), Buffer<float>(c, 1),
           Buffer<float>(c, 2), Buffer<float>(c, 3));
}

template <typename T, auto Kernel>
void Lanczos(const ResizeKernelCall& c) {
    Kernel(Source<T>(c), Destination<T>(c), c.srcStep, c.dstStep, c.dstWidth, c.dstHeight,
           c.rowOffsets, c.columnOffsets, Weights<float>(c.rowWeights),
           Weights<float>(c.columnWeights), Buffer<float>(c, 0), Buffer<float>(c, 1),
           Buffer<float>(c, 2), Buffer<float>(c, 3), Buffer<float>(c, 4), Buffer<float>(c, 5),
           c.srcRoiX, c.srcRoiY, c.columnsRight, c.rowsBelow, c.upY, c.pixelStride, c.channels);
}

template <typename T, auto Kernel>
void LanczosC1(const ResizeKernelCall& c) {
    Kernel(Source<T>(c), Destination<T>(c), c.srcStep, c.dstStep, c.dstWidth, c.dstHeight,
           c.rowOffsets, c.columnOffsets, Weights<float>(c.rowWeights),
           Weights<float>(c.columnWeights), Buffer<float>(c, 0), Buffer<float>(c, 1),
           Buffer<float>(c, 2), Buffer<float>(c, 3), Buffer<float>(c, 4), Buffer<float>(c, 5),
           c.srcRoiX, c.srcRoiY, c.columnsRight, c.rowsBelow, c.upY);
}

using std::uint16_t;
using std::uint8_t;

}  // namespace

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
