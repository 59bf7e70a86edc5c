#pragma once

#include "imageops/resize/ResizeKernelTable.h"
#include "imageops/resize/ResizeLinearRows.h"

#include <cstdint>

// Adapters from the driver's call record to each kernel's own argument list, shared by the
// kernel tables of every build: Nearest<T, Kernel> and the others are ResizeKernel entries.
// Each table's file is compiled for its own instruction set, so each keeps a private copy: a
// shared one could be taken from a build the processor cannot run.
namespace resize_adapters {
namespace {

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

}  // namespace
}  // namespace resize_adapters

// The 27 entries of a build's kernel table (layout of ResizeKernelTable.h) from its Lanczos-3,
// cubic and linear kernels, ResizeLanczosRows8u<suffix> and the others; nearest-neighbour
// kernels copy samples and are the plain build's in every build.
#define QM_RESIZE_KERNEL_TABLE(suffix)                                                         \
    {                                                                                          \
        resize_adapters::Lanczos<std::uint8_t, ResizeLanczosRows8u##suffix>,                   \
        resize_adapters::Lanczos<std::uint16_t, ResizeLanczosRows16u##suffix>,                 \
        resize_adapters::Lanczos<float, ResizeLanczosRows32f##suffix>,                         \
        resize_adapters::LanczosC1<std::uint8_t, ResizeLanczosRows8u1##suffix>,                \
        resize_adapters::LanczosC1<std::uint16_t, ResizeLanczosRows16u1##suffix>,              \
        resize_adapters::LanczosC1<float, ResizeLanczosRows32f1##suffix>,                      \
        resize_adapters::Cubic<std::uint8_t, ResizeCubicRows8u##suffix>,                       \
        resize_adapters::Cubic<std::uint16_t, ResizeCubicRows16u##suffix>,                     \
        resize_adapters::Cubic<float, ResizeCubicRows32f##suffix>,                             \
        resize_adapters::CubicC1<std::uint8_t, ResizeCubicRows8u1##suffix>,                    \
        resize_adapters::CubicC1<std::uint16_t, ResizeCubicRows16u1##suffix>,                  \
        resize_adapters::CubicC1<float, ResizeCubicRows32f1##suffix>,                          \
        resize_adapters::Linear<std::uint8_t, ResizeLinearRows8u##suffix>,                     \
        resize_adapters::Linear<std::uint16_t, ResizeLinearRows16u##suffix>,                   \
        resize_adapters::Linear<float, ResizeLinearRows32f##suffix>,                           \
        resize_adapters::LinearC1<std::uint8_t, ResizeLinearRows8u1##suffix>,                  \
        resize_adapters::LinearC1<std::uint16_t, ResizeLinearRows16u1##suffix>,                \
        resize_adapters::LinearC1<float, ResizeLinearRows32f1##suffix>,                        \
        resize_adapters::Nearest<std::uint8_t, ResizeNearestRows8u3>,                          \
        resize_adapters::Nearest<std::uint16_t, ResizeNearestRows16u3>,                        \
        resize_adapters::Nearest<float, ResizeNearestRows32f3>,                                \
        resize_adapters::Nearest<std::uint8_t, ResizeNearestRows8u1>,                          \
        resize_adapters::Nearest<std::uint16_t, ResizeNearestRows16u1>,                        \
        resize_adapters::Nearest<float, ResizeNearestRows32f1>,                                \
        resize_adapters::Nearest<std::uint8_t, ResizeNearestRows8u4>,                          \
        resize_adapters::Nearest<std::uint16_t, ResizeNearestRows16u4>,                        \
        resize_adapters::Nearest<float, ResizeNearestRows32f4>,                                \
    }
