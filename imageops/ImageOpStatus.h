#pragma once

#include <cstdint>

// Result of every image operation: 0 success, negative errors, positive warnings.
// The values are fixed: callers and stored tables compare against the raw numbers.
enum class ImageOpStatus : std::int32_t {
    Ok = 0,
    NullPointer = -8,          // a required pointer is null
    BadSize = -6,              // a width or height below 1, or a negative region origin
    BadStep = -14,             // a row step below 1
    BadOperator = -50,         // a compositing operator outside 0 to 11
    BadInterpolation = -22,    // an interpolation mode the resize does not accept
    BadFactor = -23,           // a resize factor not above 0
    OutOfMemory = -9,          // a scratch allocation failed inside the resize
    RegionOutsideSource = 29,  // warning: the resize region starts outside the source
};
