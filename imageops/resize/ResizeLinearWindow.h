#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

// The two-row window shared by every linear kernel of every build. Region row 0 is filtered first; each
// destination row whose row offset moved on swaps the buffers and filters the row below (and,
// after a jump of more than one row, the row itself).
template <typename T, typename Weight, typename Buffer, typename RowFn, typename ColumnFn>
void LinearWindow(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                  std::int32_t dstHeight, const std::int32_t* rowOffsets,
                  const Weight* rowWeights,
                  Buffer* lineBuffer0,
                  Buffer* lineBuffer1, RowFn rowPass,
                  ColumnFn columnPass) {
    std::int64_t previous = static_cast<std::int64_t>(rowOffsets[0]) - 1;
    rowPass(src, lineBuffer1);
    if (dstHeight < 1) {
        return;
    }
    auto* top = lineBuffer0;
    auto* bottom = lineBuffer1;
    for (std::int32_t y = 0; y < dstHeight; ++y) {
        const std::int64_t r = rowOffsets[y];
        if (r > previous) {
            std::swap(top, bottom);
            rowPass(src + r + srcStep, bottom);
            if (r > previous + srcStep) {
                rowPass(src + r, top);
            }
            previous = r;
        }
        columnPass(dst + static_cast<std::ptrdiff_t>(y) * dstStep, rowWeights[y], top, bottom);
    }
}

