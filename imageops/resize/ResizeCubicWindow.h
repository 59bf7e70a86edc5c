#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

// Shared by the cubic kernels of every build.
// The ring of four filtered rows (r - s, r, r + s, r + 2s). A window that moves down by n rows
// refilters min(n, 4) of them, bottom up; an unchanged window only runs the vertical pass.
template <typename T, typename RowFn, typename ColumnFn>
void CubicWindow(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                 std::int32_t dstHeight, const std::int32_t* rowOffsets,
                 const float* rowFractions, float* lineBuffer0, float* lineBuffer1,
                 float* lineBuffer2, float* lineBuffer3, RowFn rowPass, ColumnFn columnPass) {
    const std::int64_t s = srcStep;
    const std::int64_t r0 = rowOffsets[0];
    rowPass(src + (r0 - s), lineBuffer1);
    rowPass(src + r0, lineBuffer2);
    rowPass(src + (r0 + s), lineBuffer3);
    float* w0 = lineBuffer0;
    float* w1 = lineBuffer1;
    float* w2 = lineBuffer2;
    float* w3 = lineBuffer3;
    std::int64_t last = r0 - 1;
    for (std::int32_t y = 0; y < dstHeight; ++y) {
        const std::int64_t r = rowOffsets[y];
        if (r > last) {
            float* oldest = w0;
            w0 = w1;
            w1 = w2;
            w2 = w3;
            w3 = oldest;
            rowPass(src + (r + 2 * s), w3);
            if (r >= last + 2 * s) {
                std::swap(w0, w1);
                std::swap(w1, w2);
                rowPass(src + (r + s), w2);
            }
            if (r >= last + 3 * s) {
                std::swap(w0, w1);
                rowPass(src + r, w1);
            }
            if (r >= last + 4 * s) {
                rowPass(src + (r - s), w0);
            }
            last = r;
        }
        columnPass(dst + static_cast<std::ptrdiff_t>(y) * dstStep, rowFractions[y], w0, w1, w2,
                   w3);
    }
}

