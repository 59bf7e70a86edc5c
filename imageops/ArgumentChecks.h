#pragma once

#include "imageops/ImageOpStatus.h"

#include <cstddef>
#include <cstdint>

// Argument tests shared by every build, so the builds cannot disagree on the order in which
// they are made. Internal linkage: each build file keeps its own copy, compiled with its flags.
namespace {

template <class... Steps>
constexpr bool AnyStepBelowOne(Steps... steps) {
    return ((steps < 1) || ...);
}

// Null pointers, then width and height, then steps.
template <class... Steps>
constexpr ImageOpStatus CheckSizeBeforeSteps(bool anyNull, std::int32_t width, std::int32_t height,
                                             Steps... steps) {
    if (anyNull) return ImageOpStatus::NullPointer;
    if (width < 1 || height < 1) return ImageOpStatus::BadSize;
    if (AnyStepBelowOne(steps...)) return ImageOpStatus::BadStep;
    return ImageOpStatus::Ok;
}

// Null pointers, then steps, then width and height (the multiply operations).
template <class... Steps>
constexpr ImageOpStatus CheckStepsBeforeSize(bool anyNull, std::int32_t width, std::int32_t height,
                                             Steps... steps) {
    if (anyNull) return ImageOpStatus::NullPointer;
    if (AnyStepBelowOne(steps...)) return ImageOpStatus::BadStep;
    if (width < 1 || height < 1) return ImageOpStatus::BadSize;
    return ImageOpStatus::Ok;
}

// Row r of a block; the offset is formed in 64 bits so large images cannot wrap it.
template <class Byte>
constexpr Byte* RowAt(Byte* base, std::int32_t step, std::int32_t row) {
    return base + static_cast<std::ptrdiff_t>(step) * row;
}

constexpr std::int64_t PixelBytes(std::int32_t width) { return static_cast<std::int64_t>(width) * 4; }

// Both steps equal the row width: the rows touch, and the image may be treated as one row.
constexpr bool RowsAreContiguous(std::int32_t width, std::int32_t srcStep, std::int32_t dstStep) {
    return srcStep == dstStep && srcStep == PixelBytes(width);
}

}  // namespace
