#include "imageops/resize/AccumulateRows.h"

#include <cstddef>

namespace {

template <typename T, typename Sum>
void Accumulate(const T* src, std::int32_t srcStep, std::int32_t width, std::int32_t rows,
                Sum* sums, std::int32_t stride, int channels) {
    const auto* row = reinterpret_cast<const unsigned char*>(src);
    for (std::int32_t r = 0; r < rows; ++r) {
        const T* samples = reinterpret_cast<const T*>(row);
        for (std::int32_t p = 0; p < width; ++p) {
            const std::ptrdiff_t base = static_cast<std::ptrdiff_t>(p) * stride;
            for (int c = 0; c < channels; ++c) {
                sums[base + c] = static_cast<Sum>(sums[base + c] + samples[base + c]);
            }
        }
        row += srcStep;
    }
}

}  // namespace

void AccumulateRows8u1(const std::uint8_t* src, std::int32_t srcStep, std::int32_t width,
                       std::int32_t rows, std::uint32_t* sums) {
    Accumulate(src, srcStep, width, rows, sums, 1, 1);
}

void AccumulateRows8u3(const std::uint8_t* src, std::int32_t srcStep, std::int32_t width,
                       std::int32_t rows, std::uint32_t* sums, std::int32_t pixelStride) {
    Accumulate(src, srcStep, width, rows, sums, pixelStride, 3);
}

void AccumulateRows8u4(const std::uint8_t* src, std::int32_t srcStep, std::int32_t width,
                       std::int32_t rows, std::uint32_t* sums) {
    Accumulate(src, srcStep, width, rows, sums, 4, 4);
}

void AccumulateRows16u1(const std::uint16_t* src, std::int32_t srcStep, std::int32_t width,
                        std::int32_t rows, std::uint32_t* sums) {
    Accumulate(src, srcStep, width, rows, sums, 1, 1);
}

void AccumulateRows16u3(const std::uint16_t* src, std::int32_t srcStep, std::int32_t width,
                        std::int32_t rows, std::uint32_t* sums, std::int32_t pixelStride) {
    Accumulate(src, srcStep, width, rows, sums, pixelStride, 3);
}

void AccumulateRows16u4(const std::uint16_t* src, std::int32_t srcStep, std::int32_t width,
                        std::int32_t rows, std::uint32_t* sums) {
    Accumulate(src, srcStep, width, rows, sums, 4, 4);
}

void AccumulateRows32f1(const float* src, std::int32_t srcStep, std::int32_t width,
                        std::int32_t rows, float* sums) {
    Accumulate(src, srcStep, width, rows, sums, 1, 1);
}

void AccumulateRows32f3(const float* src, std::int32_t srcStep, std::int32_t width,
                        std::int32_t rows, float* sums, std::int32_t pixelStride) {
    Accumulate(src, srcStep, width, rows, sums, pixelStride, 3);
}

void AccumulateRows32f4(const float* src, std::int32_t srcStep, std::int32_t width,
                        std::int32_t rows, float* sums) {
    Accumulate(src, srcStep, width, rows, sums, 4, 4);
}
