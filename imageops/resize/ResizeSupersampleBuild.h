#pragma once

#include "imageops/ImageOpStatus.h"

#include <cstdint>

// The three area-averaging workers of one sample type in one build (arguments as in
// ResizeSupersampleWorker.h): one sample per pixel (and each plane), samples 0-2 of pixels
// pixelStride apart, and four samples.
template <typename T>
struct SupersampleWorkerSet {
    void (*one)(const T*, T*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                std::int32_t, double, double, double, std::int32_t, std::int32_t, void*);
    void (*three)(const T*, T*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                  std::int32_t, double, double, double, std::int32_t, std::int32_t,
                  std::int32_t, void*);
    void (*four)(const T*, T*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                 std::int32_t, double, double, double, std::int32_t, std::int32_t, void*);
};

// One build's nine workers; the checks, geometry and row buffer of the driver are common.
struct SupersampleBuild {
    SupersampleWorkerSet<std::uint8_t> u8;
    SupersampleWorkerSet<std::uint16_t> u16;
    SupersampleWorkerSet<float> f32;
};

// ResizeSupersample (see ResizeSupersample.h for arguments and statuses) running the given
// build's workers.
ImageOpStatus ResizeSupersampleForBuild(const SupersampleBuild& build, const void* src,
                                        std::int32_t srcWidth, std::int32_t srcHeight,
                                        std::int32_t srcStep, std::int32_t srcRoiX,
                                        std::int32_t srcRoiY, std::int32_t srcRoiWidth,
                                        std::int32_t srcRoiHeight, void* dst,
                                        std::int32_t dstStep, std::int32_t dstWidth,
                                        std::int32_t dstHeight, double xFactor, double yFactor,
                                        std::int32_t pixelStride, std::int32_t channels,
                                        std::int32_t sampleType, std::int32_t planar);
