#pragma once

#include <cstdint>

// The SSE2 build's area-averaging workers: the contracts of ResizeSupersampleWorkers.h,
// with the whole-number case's rows summed by the SSE2 row adders.

#define QM_SUPERSAMPLE_SSE2_ARGS(type)                                                            \
    const type *src, type *dst, std::int32_t srcStep, std::int32_t dstStep, std::int32_t srcSpan, \
        std::int32_t dstWidth, std::int32_t dstHeight, double xScale, double yScale, double area

void ResizeSupersample8u1WorkerSse2(QM_SUPERSAMPLE_SSE2_ARGS(std::uint8_t),
                                    std::int32_t fractionCase, std::int32_t srcRows,
                                    void* rowBuffer);
void ResizeSupersample8u3WorkerSse2(QM_SUPERSAMPLE_SSE2_ARGS(std::uint8_t),
                                    std::int32_t pixelStride, std::int32_t fractionCase,
                                    std::int32_t srcRows, void* rowBuffer);
void ResizeSupersample8u4WorkerSse2(QM_SUPERSAMPLE_SSE2_ARGS(std::uint8_t),
                                    std::int32_t fractionCase, std::int32_t srcRows,
                                    void* rowBuffer);
void ResizeSupersample16u1WorkerSse2(QM_SUPERSAMPLE_SSE2_ARGS(std::uint16_t),
                                     std::int32_t fractionCase, std::int32_t srcRows,
                                     void* rowBuffer);
void ResizeSupersample16u3WorkerSse2(QM_SUPERSAMPLE_SSE2_ARGS(std::uint16_t),
                                     std::int32_t pixelStride, std::int32_t fractionCase,
                                     std::int32_t srcRows, void* rowBuffer);
void ResizeSupersample16u4WorkerSse2(QM_SUPERSAMPLE_SSE2_ARGS(std::uint16_t),
                                     std::int32_t fractionCase, std::int32_t srcRows,
                                     void* rowBuffer);
void ResizeSupersample32f1WorkerSse2(QM_SUPERSAMPLE_SSE2_ARGS(float), std::int32_t fractionCase,
                                     std::int32_t srcRows, void* rowBuffer);
void ResizeSupersample32f3WorkerSse2(QM_SUPERSAMPLE_SSE2_ARGS(float), std::int32_t pixelStride,
                                     std::int32_t fractionCase, std::int32_t srcRows,
                                     void* rowBuffer);
void ResizeSupersample32f4WorkerSse2(QM_SUPERSAMPLE_SSE2_ARGS(float), std::int32_t fractionCase,
                                     std::int32_t srcRows, void* rowBuffer);

#undef QM_SUPERSAMPLE_SSE2_ARGS
