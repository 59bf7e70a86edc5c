#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

// How far ahead of its reads, in bytes, a row pass asks for source data.
inline constexpr std::int64_t kRowReadAhead = 1024;

// Internal linkage keeps each build's copy compiled with its own flags: a shared copy could be
// taken from a build the processor cannot run.
namespace {

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

// The two-row window shared by every linear kernel of every build. Region row 0 is filtered
// first; each destination row whose row offset moved on swaps the buffers and has the row below
// filtered (and, after a jump of more than one row, the row itself). The rows of the destination
// row two further on are requested meanwhile (span samples of each from the region's left edge):
// a reduction reads nearly every source row once, and without this each row's pass would wait
// on memory. step(upper, lower, top, bottom, weight, out) does one destination row's work:
// filter the source rows upper into top and lower into bottom (null: the buffer holds it
// already), then blend top and bottom into out; building both in one call lets a build keep the
// fresh values in registers.
template <typename T, typename Weight, typename Buffer, typename RowFn, typename StepFn>
void LinearWindow(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                  std::int32_t dstHeight, std::int64_t span, const std::int32_t* rowOffsets,
                  const Weight* rowWeights, Buffer* lineBuffer0, Buffer* lineBuffer1,
                  RowFn rowPass, StepFn step) {
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
        const T* upper = nullptr;
        const T* lower = nullptr;
        if (r > previous) {
            std::swap(top, bottom);
            lower = src + r + srcStep;
            if (r > previous + srcStep) {
                upper = src + r;
            }
            previous = r;
        }
        step(upper, lower, top, bottom, rowWeights[y], dst + static_cast<std::ptrdiff_t>(y) * dstStep);
    }
}

// A window step from a build's separate passes: rowPass(row, out) and
// columnPass(out, weight, top, bottom).
template <typename RowFn, typename ColumnFn>
auto SeparateLinearSteps(RowFn rowPass, ColumnFn columnPass) {
    return [=](const auto* upper, const auto* lower, auto* top, auto* bottom, auto weight,
               auto* out) {
        if (lower != nullptr) {
            rowPass(lower, bottom);
        }
        if (upper != nullptr) {
            rowPass(upper, top);
        }
        columnPass(out, weight, top, bottom);
    };
}

}  // namespace
