#pragma once

#include <cstdint>

// Four-wide pieces of the SSE build's cubic passes: each computes a positive multiple of four
// outputs, four per step, in single precision, with w1 = t + 1, w2 = (t * 0.5) * w1 and
// w3 = (t - 1) * w2 * K, K the float one unit below the nearest float to 1/3, and
// v = (a + d1 * w1) + (d2 * w2 + d3 * w3) over the taps a, b, c, d at -1, 0, +1, +2.
// The calling pass handles the remaining n mod 4 outputs. Fractions, one-channel row outputs
// and the column pieces' row buffers are 16-byte aligned; offsets place every tap inside the
// source.

// Row pieces: n destination pixels of one source row into packed floats, tap 0 of pixel i at
// src + offsets[i], neighbours 1 (C1), 4 (C4) or pixelStride (C3) samples apart.
void CubicRowQuads8u1(const std::uint8_t* src, std::int32_t n, const std::int32_t* offsets,
                      const float* fractions, float* dst);
void CubicRowQuads8u4(const std::uint8_t* src, std::int32_t n, const std::int32_t* offsets,
                      const float* fractions, float* dst);
void CubicRowQuads8u3(const std::uint8_t* src, std::int32_t n, std::int32_t pixelStride,
                      const std::int32_t* offsets, const float* fractions, float* dst);
void CubicRowQuads16u1(const std::uint16_t* src, std::int32_t n, const std::int32_t* offsets,
                       const float* fractions, float* dst);
void CubicRowQuads16u4(const std::uint16_t* src, std::int32_t n, const std::int32_t* offsets,
                       const float* fractions, float* dst);
void CubicRowQuads16u3(const std::uint16_t* src, std::int32_t n, std::int32_t pixelStride,
                       const std::int32_t* offsets, const float* fractions, float* dst);
void CubicRowQuads32f1(const float* src, std::int32_t n, const std::int32_t* offsets,
                       const float* fractions, float* dst);
void CubicRowQuads32f4(const float* src, std::int32_t n, const std::int32_t* offsets,
                       const float* fractions, float* dst);
void CubicRowQuads32f3(const float* src, std::int32_t n, std::int32_t pixelStride,
                       const std::int32_t* offsets, const float* fractions, float* dst);

// Column pieces: n values from four row buffers (source rows -1, 0, +1, +2) at one fraction t.
// Integer pieces add 1e-5, round to nearest (ties to even) and saturate to the sample range;
// the 3of4 pieces store value k into element 4 * (k / 3) + k % 3. The float piece stores v as
// it is, to a destination of any alignment.
void CubicColumnQuads8u(std::uint8_t* dst, std::int32_t n, float t, const float* row0,
                        const float* row1, const float* row2, const float* row3);
void CubicColumnQuads8u3of4(std::uint8_t* dst, std::int32_t n, float t, const float* row0,
                            const float* row1, const float* row2, const float* row3);
void CubicColumnQuads16u(std::uint16_t* dst, std::int32_t n, float t, const float* row0,
                         const float* row1, const float* row2, const float* row3);
void CubicColumnQuads16u3of4(std::uint16_t* dst, std::int32_t n, float t, const float* row0,
                             const float* row1, const float* row2, const float* row3);
void CubicColumnQuads32f(float* dst, std::int32_t n, float t, const float* row0,
                         const float* row1, const float* row2, const float* row3);
