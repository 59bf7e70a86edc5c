#pragma once
// The fifteen row converters: each turns one reconstructed PNG row (16-bit samples big-endian)
// into the caller's row (samples little-endian, colours in blue, green, red order).

#include <cstddef>
#include <cstdint>

// Converts one row of `width` pixels whose packed samples take `rowLength` bytes.
using PngRowConverter = void (*)(const uint8_t* row, uint8_t* out, size_t rowLength,
                                 uint32_t width);

inline constexpr uint32_t kPngConverterCount = 15;

// The converter of index `index` (the low byte of the output format) when it accepts images of
// this colour type and bit depth, with the bytes it writes per row; else null.
PngRowConverter PngSelectConverter(uint32_t index, uint32_t colourType, uint32_t bitDepth,
                                   uint32_t width, uint64_t* outputBytes);
