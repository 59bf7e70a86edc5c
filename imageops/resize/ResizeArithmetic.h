#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Conversions from double that every resize path shares. Doubles are clamped before they are
// converted, so out-of-range values (and NaN) never reach an undefined conversion.

// trunc(value) toward zero, saturated to [low, high]; NaN gives low.
inline std::int64_t ClampedTrunc(double value, std::int64_t low, std::int64_t high) {
    if (!(value > static_cast<double>(low))) {
        return low;
    }
    if (value >= static_cast<double>(high)) {
        return high;
    }
    const auto result = static_cast<std::int64_t>(value);
    return result < low ? low : (result > high ? high : result);
}

// The index of a source position: trunc(position + 1e-7), saturated to [low, high].
inline std::int32_t PositionIndex(double position, std::int32_t low, std::int32_t high) {
    return static_cast<std::int32_t>(ClampedTrunc(position + 1e-7, low, high));
}

// An interpolated value stored into an integer sample: trunc(value + 1e-7), clamped to
// [0, maximum]; the cubic and Lanczos-3 paths truncate rather than round.
inline std::uint32_t TruncSample(double value, std::uint32_t maximum) {
    return static_cast<std::uint32_t>(ClampedTrunc(value + 1e-7, 0, maximum));
}

template <typename T>
struct SampleLimits;

template <>
struct SampleLimits<std::uint8_t> {
    static constexpr std::uint32_t kMax = 255;
};

template <>
struct SampleLimits<std::uint16_t> {
    static constexpr std::uint32_t kMax = 65535;
};

// Stores an interpolated double into a sample: integers truncate after adding 1e-7 and clamp,
// floats are rounded once to single precision with no offset and no clamp.
template <typename T>
inline T StoreInterpolated(double value) {
    if constexpr (std::numeric_limits<T>::is_integer) {
        return static_cast<T>(TruncSample(value, SampleLimits<T>::kMax));
    } else {
        return static_cast<T>(value);
    }
}
