#include "imageops/resize/ResizeNearestRows.h"

#include <cstddef>
#include <cstring>

namespace {

// kSamples samples per pixel are copied with memcpy so float bit patterns (NaN payloads,
// negative zero) arrive unchanged.
template <typename T, int kSamples>
void NearestRows(const T* src, T* dst, std::int32_t dstStep, std::int32_t dstWidth,
                 std::int32_t dstHeight, const std::int32_t* rowOffsets,
                 const std::int32_t* columnOffsets, std::int32_t pixelStride) {
    const std::ptrdiff_t advance = kSamples == 3 ? pixelStride : kSamples;
    for (std::int32_t y = 0; y < dstHeight; ++y) {
        const T* row = src + rowOffsets[y];
        T* out = dst + static_cast<std::ptrdiff_t>(y) * dstStep;
        for (std::int32_t x = 0; x < dstWidth; ++x) {
            std::memcpy(out, row + columnOffsets[x], sizeof(T) * kSamples);
            out += advance;
        }
    }
}

}  // namespace

#define QM_NEAREST_KERNEL(name, type, samples)                                                 \
    void name(const type* src, type* dst, std::int32_t dstStep, std::int32_t dstWidth,        \
              std::int32_t dstHeight, const std::int32_t* rowOffsets,                         \
              const std::int32_t* columnOffsets, std::int32_t pixelStride) {                  \
        NearestRows<type, samples>(src, dst, dstStep, dstWidth, dstHeight, rowOffsets,        \
                                   columnOffsets, pixelStride);                               \
    }

QM_NEAREST_KERNEL(ResizeNearestRows8u1, std::uint8_t, 1)
QM_NEAREST_KERNEL(ResizeNearestRows8u3, std::uint8_t, 3)
QM_NEAREST_KERNEL(ResizeNearestRows8u4, std::uint8_t, 4)
QM_NEAREST_KERNEL(ResizeNearestRows16u1, std::uint16_t, 1)
QM_NEAREST_KERNEL(ResizeNearestRows16u3, std::uint16_t, 3)
QM_NEAREST_KERNEL(ResizeNearestRows16u4, std::uint16_t, 4)
QM_NEAREST_KERNEL(ResizeNearestRows32f1, float, 1)
QM_NEAREST_KERNEL(ResizeNearestRows32f3, float, 3)
QM_NEAREST_KERNEL(ResizeNearestRows32f4, float, 4)

#undef QM_NEAREST_KERNEL
