#pragma once

#include <cstdint>

// Interpolation modes of the resize operation; the values are fixed by callers that pass raw
// numbers through the dispatch table.
enum class ResizeInterpolation : std::int32_t {
    Nearest = 1,
    Linear = 2,
    Cubic = 4,
    Supersample = 8,  // area averaging, only for reductions (both factors at most 1)
    Lanczos3 = 16,
};

// Sample types of the resize operation.
enum class ResizeSampleType : std::int32_t {
    U8 = 0,
    U16 = 1,
    F32 = 2,
};
