#pragma once

#include <cstdint>

// The SSE build's nine area-averaging workers: arguments, steps and results of the plain
// workers (ResizeSupersampleWorkers.h); they clear their row buffer with ZeroBytesSse and add
// whole rows with the SSE row adders (the plain ones for 8-bit and 16-bit three-sample pixels),
// which give the same sums.

#define QM_SUPERSAMPLE_SSE_ARGS(type)                                                          \
    const type *src, type *dst, std::int32_t srcStep, std::int32_t dstStep,                   \
        std::int32_t srcSpan, std::int32_t dstWidth, std::int32_t dstHeight, double xScale,   \
        double yScale, double area

void ResizeSupersample8u1WorkerSse(QM_SUPERSAMPLE_SSE_ARGS(std::uint8_t),
                                   std::int32_t fractionCase, std::int32_t srcRows,
                                   void* rowBuffer);
void ResizeSupersample8u3WorkerSse(QM_SUPERSAMPLE_SSE_ARGS(std::uint8_t),
                                   std::int32_t pixelStride, std::int32_t fractionCase,
                                   std::int32_t srcRows, void* rowBuffer);
void ResizeSupersample8u4WorkerSse(QM_SUPERSAMPLE_SSE_ARGS(std::uint8_t),
                                   std::int32_t fractionCase, std::int32_t srcRows,
                                   void* rowBuffer);
void ResizeSupersample16u1WorkerSse(QM_SUPERSAMPLE_SSE_ARGS(std::uint16_t),
                                    std::int32_t fractionCase, std::int32_t srcRows,
                                    void* rowBuffer);
void ResizeSupersample16u3WorkerSse(QM_SUPERSAMPLE_SSE_ARGS(std::uint16_t),
                                    std::int32_t pixelStride, std::int32_t fractionCase,
                                    std::int32_t srcRows, void* rowBuffer);
void ResizeSupersample16u4WorkerSse(QM_SUPERSAMPLE_SSE_ARGS(std::uint16_t),
                                    std::int32_t fractionCase, std::int32_t srcRows,
                                    void* rowBuffer);
void ResizeSupersample32f1WorkerSse(QM_SUPERSAMPLE_SSE_ARGS(float), std::int32_t fractionCase,
                                    std::int32_t srcRows, void* rowBuffer);
void ResizeSupersample32f3WorkerSse(QM_SUPERSAMPLE_SSE_ARGS(float), std::int32_t pixelStride,
                                    std::int32_t fractionCase, std::int32_t srcRows,
                                    void* rowBuffer);
void ResizeSupersample32f4WorkerSse(QM_SUPERSAMPLE_SSE_ARGS(float), std::int32_t fractionCase,
                                    std::int32_t srcRows, void* rowBuffer);

#undef QM_SUPERSAMPLE_SSE_ARGS
