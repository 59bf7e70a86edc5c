#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

// The ring of six filtered rows. Slot k holds row r - 2 + k of the current centre row r, each
// clamped into the image; advancing rotates buffer pointers and filters only the rows that
// enter. Edge rows that repeat a buffered row are copied with the build's copyRow (from, to,
// count) instead of filtered again. Shared by the Lanczos-3 kernels of every build.
template <typename T, typename RowFn, typename ColumnFn, typename CopyFn>
void LanczosWindow(const T* src, T* dst, std::int32_t srcStep, std::int32_t dstStep,
                   std::int32_t dstHeight, const std::int32_t* rowOffsets,
                   const float* rowWeights, float* const lineBuffers[6], std::int32_t srcRoiY,
                   std::int32_t rowsBelow, std::int32_t upY, std::int64_t rowValues,
                   RowFn rowPass, ColumnFn columnPass, CopyFn copyRow) {
    const std::int64_t s = srcStep;
    const std::int64_t top = -static_cast<std::int64_t>(srcRoiY) * s;
    const std::int64_t bottom = (static_cast<std::int64_t>(rowsBelow) - 1) * s;
    const auto clampRow = [&](std::int64_t offset) { return std::clamp(offset, top, bottom); };
    const auto filter = [&](std::int64_t offset, float* out) { rowPass(src + clampRow(offset), out); };
    const auto copy = [&](const float* from, float* to) { copyRow(from, to, rowValues); };

    float* b[6];
    std::copy(lineBuffers, lineBuffers + 6, b);
    // Rows r0 - 2 .. r0 + 2 go to slots 1..5; slot 0 is filled by the first advance.
    const std::int64_t r0 = rowOffsets[0];
    filter(r0, b[3]);
    if (clampRow(r0 + s) == clampRow(r0)) {
        copy(b[3], b[4]);
    } else {
        filter(r0 + s, b[4]);
    }
    if (clampRow(r0 + 2 * s) == clampRow(r0 + s)) {
        copy(b[4], b[5]);
    } else {
        filter(r0 + 2 * s, b[5]);
    }
    if (clampRow(r0 - s) == clampRow(r0)) {
        copy(b[3], b[2]);
    } else {
        filter(r0 - s, b[2]);
    }
    if (clampRow(r0 - 2 * s) == clampRow(r0 - s)) {
        copy(b[2], b[1]);
    } else {
        filter(r0 - 2 * s, b[1]);
    }

    // Moves the buffer of slot 0 to slot `last`, shifting slots 1..last up by one.
    const auto rotate = [&](int last) {
        float* oldest = b[0];
        for (int k = 0; k < last; ++k) {
            b[k] = b[k + 1];
        }
        b[last] = oldest;
    };
    std::int64_t previous = r0 - 1;
    for (std::int32_t y = 0; y < dstHeight; ++y) {
        const std::int64_t r = rowOffsets[y];
        if (r > previous) {
            rotate(5);
            if (upY != 0) {
                if (r >= (static_cast<std::int64_t>(rowsBelow) - 3) * s) {
                    copy(b[4], b[5]);
                } else {
                    filter(r + 3 * s, b[5]);
                }
            } else {
                const std::int64_t advance = r - previous;
                filter(r + 3 * s, b[5]);
                if (advance >= 2 * s) {
                    rotate(4);
                    filter(r + 2 * s, b[4]);
                }
                if (advance >= 3 * s) {
                    rotate(3);
                    filter(r + s, b[3]);
                }
                if (advance >= 4 * s) {
                    rotate(2);
                    filter(r, b[2]);
                }
                if (advance >= 5 * s) {
                    rotate(1);
                    filter(r - s, b[1]);
                    if (advance >= 6 * s) {
                        filter(r - 2 * s, b[0]);
                    }
                }
            }
            previous = r;
        }
        const float* rows[6] = {b[0], b[1], b[2], b[3], b[4], b[5]};
        columnPass(dst + static_cast<std::ptrdiff_t>(y) * dstStep,
                   rowWeights + 6 * static_cast<std::ptrdiff_t>(y), rows);
    }
}

