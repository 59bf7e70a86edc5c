#pragma once

#include <cstdint>

// The one rounding of every 8-bit product the primitives scale back to a sample: floor(x*y/255),
// computed without a division. Every build must produce exactly these values.
namespace {

constexpr std::uint32_t DivideBy255(std::uint32_t t) { return (t + (t >> 8) + 1) >> 8; }

constexpr std::uint32_t MulScaled(std::uint32_t x, std::uint32_t y) { return DivideBy255(x * y); }

constexpr std::uint32_t Saturate(std::uint32_t v) { return v > 255 ? 255 : v; }

}  // namespace
