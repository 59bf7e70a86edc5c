#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

// How far ahead of its reads, in bytes, a row pass asks for source data.
inline constexpr std::int64_t kRowReadAhead = 2048;

// Asks for the start of the two source rows at `upper` (span samples each, step apart) to be
// brought into the cache; passes that read ahead within a row fetch the rest as they go.
template <typename T>
void PrefetchRowPair(const T* upper, std::int64_t span, std::int32_t step) {
    const auto* top = reinterpret_cast<const char*>(upper);
    const auto* bottom = reinterpret_cast<const char*>(upper + step);
    const std::int64_t bytes = std::min<std::int64_t>(span * static_cast<std::int64_t>(sizeof(T)), kRowReadAhead);
    for (std::int64_t k = 0; k < bytes; k += 64) {
        __builtin_prefetch(top + k);
        __builtin_prefetch(bottom + k);
    }
}

// The two-row window shared by every linear kernel of every build. Region row 0 is filtered first; each
// destination row whose row offset moved on swaps the buffers and filters the row below (and,
// after a jump of more than one row, the row itself). The rows of the destination row two
// further on are requested meanwhile (span samples of each from the region's left edge): a
// reduction reads nearly every source row once, and without this each row's pass would wait
// on memory.
template <typename T, typename Weight, typename Buffer, typename RowFn, typename ColumnFn>
void LinearWindow(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                  std::int32_t dstHeight, std::int64_t span, const std::int32_t* rowOffsets,
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
        if (y + 2 < dstHeight && rowOffsets[y + 2] > rowOffsets[y + 1]) {
            PrefetchRowPair(src + rowOffsets[y + 2], span, srcStep);
        }
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

