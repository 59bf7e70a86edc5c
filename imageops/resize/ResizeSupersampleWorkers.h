#pragma once

#include <cstdint>

// Area-averaging workers: each destination sample is the mean of the source area its pixel
// covers, border pixels and rows counted with the covered fraction. For every destination row
// the worker clears rowBuffer, adds the covered source rows into it (vertical pass), compacts
// it in place into one value per destination pixel (horizontal pass) and stores value * area.
//
// src is the region's first sample, steps are bytes, srcSpan the source pixels summed per row
// (never more than the region's width), srcRows the region's height; a footprint that reaches
// past them repeats the region's last column or row. xScale and yScale are source pixels per
// destination pixel (at least 1), area = 1 / (xScale * yScale). fractionCase: bit 1 when
// xScale has a fractional part, bit 0 when yScale has one; any value outside 0-3 does nothing.
// rowBuffer holds srcSpan pixels of S 32-bit slots (S = 1, pixelStride or 4): unsigned sums
// when fractionCase is 0 and the samples are integers, floats otherwise.
//
// Integer results are trunc(value * area + 0.5) clamped to the sample range; float results
// value * area. Suffix 1: one sample per pixel (also each plane of a planar image); 4: four
// samples; 3: samples 0-2 of pixels pixelStride samples apart, further samples untouched.

#define QM_SUPERSAMPLE_ARGS(type)                                                              \
    const type *src, type *dst, std::int32_t srcStep, std::int32_t dstStep,                   \
        std::int32_t srcSpan, std::int32_t dstWidth, std::int32_t dstHeight, double xScale,   \
        double yScale, double area

void ResizeSupersample8u1Worker(QM_SUPERSAMPLE_ARGS(std::uint8_t), std::int32_t fractionCase,
                                std::int32_t srcRows, void* rowBuffer);
void ResizeSupersample8u3Worker(QM_SUPERSAMPLE_ARGS(std::uint8_t), std::int32_t pixelStride,
                                std::int32_t fractionCase, std::int32_t srcRows,
                                void* rowBuffer);
void ResizeSupersample8u4Worker(QM_SUPERSAMPLE_ARGS(std::uint8_t), std::int32_t fractionCase,
                                std::int32_t srcRows, void* rowBuffer);
void ResizeSupersample16u1Worker(QM_SUPERSAMPLE_ARGS(std::uint16_t),
                                 std::int32_t fractionCase, std::int32_t srcRows,
                                 void* rowBuffer);
void ResizeSupersample16u3Worker(QM_SUPERSAMPLE_ARGS(std::uint16_t), std::int32_t pixelStride,
                                 std::int32_t fractionCase, std::int32_t srcRows,
                                 void* rowBuffer);
void ResizeSupersample16u4Worker(QM_SUPERSAMPLE_ARGS(std::uint16_t),
                                 std::int32_t fractionCase, std::int32_t srcRows,
                                 void* rowBuffer);
void ResizeSupersample32f1Worker(QM_SUPERSAMPLE_ARGS(float), std::int32_t fractionCase,
                                 std::int32_t srcRows, void* rowBuffer);
void ResizeSupersample32f3Worker(QM_SUPERSAMPLE_ARGS(float), std::int32_t pixelStride,
                                 std::int32_t fractionCase, std::int32_t srcRows,
                                 void* rowBuffer);
void ResizeSupersample32f4Worker(QM_SUPERSAMPLE_ARGS(float), std::int32_t fractionCase,
                                 std::int32_t srcRows, void* rowBuffer);

#undef QM_SUPERSAMPLE_ARGS
