#include "imageops/resize/ResizeSupersample.h"

#include "imageops/resize/ResizeSupersampleBuild.h"

#include "imageops/AlignedAlloc.h"
#include "imageops/resize/AccumulateRows.h"
#include "imageops/resize/BlockFillCopy.h"
#include "imageops/resize/ResizeArithmetic.h"
#include "imageops/resize/ResizeBuffers.h"
#include "imageops/resize/ResizeRequestCheck.h"
#include "imageops/resize/ResizeSupersampleWorker.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// Destination size along one axis: min(requested, max(1, trunc(region * factor + 1e-7))).
std::int32_t ReducedSize(std::int32_t roiSize, std::int32_t requested, double factor) {
    const std::int64_t scaled = ClampedTrunc(roiSize * factor + 1e-7, 0, kInt32Max);
    return scaled < requested ? static_cast<std::int32_t>(std::max<std::int64_t>(1, scaled))
                              : requested;
}

struct WorkerJob {
    const void* src;
    void* dst;
    std::int32_t srcStep;
    std::int32_t dstStep;
    std::int32_t srcSpan;
    std::int32_t dstWidth;
    std::int32_t dstHeight;
    double xScale;
    double yScale;
    double area;
    std::int32_t pixelStride;
    std::int32_t fractionCase;
    std::int32_t srcRows;
    void* rowBuffer;
};

template <typename T>
void RunLayout(const WorkerJob& j, int layout, const SupersampleWorkerSet<T>& set) {
    const auto* src = static_cast<const T*>(j.src);
    auto* dst = static_cast<T*>(j.dst);
    if (layout == 1) {
        set.one(src, dst, j.srcStep, j.dstStep, j.srcSpan, j.dstWidth, j.dstHeight, j.xScale,
                j.yScale, j.area, j.fractionCase, j.srcRows, j.rowBuffer);
    } else if (layout == 4) {
        set.four(src, dst, j.srcStep, j.dstStep, j.srcSpan, j.dstWidth, j.dstHeight, j.xScale,
                 j.yScale, j.area, j.fractionCase, j.srcRows, j.rowBuffer);
    } else {
        set.three(src, dst, j.srcStep, j.dstStep, j.srcSpan, j.dstWidth, j.dstHeight, j.xScale,
                  j.yScale, j.area, j.pixelStride, j.fractionCase, j.srcRows, j.rowBuffer);
    }
}

void RunWorker(const SupersampleBuild& build, const WorkerJob& job, std::int32_t sampleType,
               int layout) {
    switch (sampleType) {
    case 0:
        RunLayout<std::uint8_t>(job, layout, build.u8);
        break;
    case 1:
        RunLayout<std::uint16_t>(job, layout, build.u16);
        break;
    default:
        RunLayout<float>(job, layout, build.f32);
        break;
    }
}

}  // namespace

ImageOpStatus ResizeSupersampleForBuild(const SupersampleBuild& build, const void* src,
                                        std::int32_t srcWidth, std::int32_t srcHeight,
                                        std::int32_t srcStep, std::int32_t srcRoiX,
                                        std::int32_t srcRoiY, std::int32_t srcRoiWidth,
                                        std::int32_t srcRoiHeight, void* dst,
                                        std::int32_t dstStep, std::int32_t dstWidth,
                                        std::int32_t dstHeight, double xFactor, double yFactor,
                                        std::int32_t pixelStride, std::int32_t channels,
                                        std::int32_t sampleType, std::int32_t planar) {
    const ImageOpStatus request =
        CheckResizeArguments(src, srcWidth, srcHeight, srcStep, srcRoiX, srcRoiY, srcRoiWidth,
                             srcRoiHeight, dst, dstStep, dstWidth, dstHeight, xFactor, yFactor);
    if (request != ImageOpStatus::Ok) {
        return request;
    }
    // A sample type without workers walks nothing: Ok, enlargements and missing planes included.
    if (sampleType < 0 || sampleType > 2) {
        return ImageOpStatus::Ok;
    }
    // Footprints are at least one source pixel wide: an enlargement would walk them backwards.
    if (xFactor > 1.0 || yFactor > 1.0) {
        return ImageOpStatus::BadFactor;
    }
    if (!ResizePlanesPresent(src, dst, planar, channels)) {
        return ImageOpStatus::NullPointer;
    }
    // pixelStride places the region's first pixel; one- and four-sample pixels are read whole
    // from there, so any stride from 0 serves them. Three-sample pixels are pixelStride apart
    // and must not overlap; a negative stride would start before the image.
    const int layout = planar != 0 ? 1 : (channels == 1 ? 1 : (channels == 4 ? 4 : 3));
    const std::int32_t slots = layout == 3 ? pixelStride : layout;
    if (planar == 0 && pixelStride < (layout == 3 ? 3 : 0)) {
        return ImageOpStatus::BadSize;
    }

    const std::int64_t elementBytes = sampleType == 1 ? 2 : (sampleType == 2 ? 4 : 1);
    // A step shorter than a row would make rows overlap and the last row reach past the image.
    // A row holds srcWidth pixels of pixelStride samples, or of the samples a pixel is read
    // with where that is more: the region's pixels then end within it.
    const std::int64_t srcPixelElements =
        planar != 0 ? 1 : std::max<std::int64_t>(pixelStride, layout == 3 ? 3 : layout);
    if (static_cast<std::int64_t>(srcWidth) * srcPixelElements * elementBytes > srcStep) {
        return ImageOpStatus::BadStep;
    }
    const std::int32_t roiWidth = std::min(srcRoiWidth, srcWidth - srcRoiX);
    const std::int32_t roiHeight = std::min(srcRoiHeight, srcHeight - srcRoiY);
    const std::int32_t outWidth = ReducedSize(roiWidth, dstWidth, xFactor);
    const std::int32_t outHeight = ReducedSize(roiHeight, dstHeight, yFactor);
    const std::int64_t dstPixelElements = planar != 0 ? 1 : (layout == 3 ? pixelStride : layout);
    if (static_cast<std::int64_t>(outWidth) * dstPixelElements * elementBytes > dstStep) {
        return ImageOpStatus::BadStep;
    }
    const double xScale = 1.0 / xFactor;
    const double yScale = 1.0 / yFactor;
    const double area = xFactor * yFactor;
    const std::int64_t span = ClampedTrunc(xScale * (static_cast<double>(outWidth) + 1.0), 0,
                                           kInt32Max - 1) + 1;
    const auto srcSpan = static_cast<std::int32_t>(std::min<std::int64_t>(span, roiWidth));
    const std::int32_t fractionCase = (xScale - std::trunc(xScale) != 0.0 ? 2 : 0) +
                                      (yScale - std::trunc(yScale) != 0.0 ? 1 : 0);

    // One row buffer serves every plane; a failed allocation leaves the destination untouched.
    // The whole-number case of integer samples takes 64-bit sums behind the slots where a
    // destination row adds more rows than 32-bit sums hold.
    const std::int64_t slotCount = static_cast<std::int64_t>(srcSpan) * slots;
    const bool wideRows =
        fractionCase == 0 && sampleType != 2 &&
        SupersampleWideRows(sampleType == 0 ? std::numeric_limits<std::uint8_t>::max()
                                            : std::numeric_limits<std::uint16_t>::max(),
                            yScale, roiHeight);
    void* rowBuffer =
        fractionCase != 0 ? AlignedAllocInts(slotCount)
                          : AlignedAlloc(wideRows ? SupersampleWideOffset(slotCount) + slotCount * 8
                                                  : slotCount * 4);
    if (rowBuffer == nullptr) {
        return ImageOpStatus::OutOfMemory;
    }

    const auto elementSize = static_cast<std::ptrdiff_t>(elementBytes);
    WorkerJob job{nullptr, nullptr, srcStep, dstStep, srcSpan, outWidth, outHeight, xScale,
                  yScale, area, pixelStride, fractionCase, roiHeight, rowBuffer};
    if (planar == 0) {
        job.src = static_cast<const unsigned char*>(src) +
                  static_cast<std::ptrdiff_t>(srcRoiY) * srcStep +
                  static_cast<std::ptrdiff_t>(srcRoiX) * pixelStride * elementSize;
        job.dst = dst;
        RunWorker(build, job, sampleType, layout);
    } else {
        const int planes = channels == 3 ? 3 : 4;
        const auto* srcPlanes = static_cast<const void* const*>(src);
        auto* const* dstPlanes = static_cast<void* const*>(dst);
        const std::ptrdiff_t offset = static_cast<std::ptrdiff_t>(srcRoiY) * srcStep +
                                      static_cast<std::ptrdiff_t>(srcRoiX) * elementSize;
        for (int k = 0; k < planes; ++k) {
            job.src = static_cast<const unsigned char*>(srcPlanes[k]) + offset;
            job.dst = dstPlanes[k];
            RunWorker(build, job, sampleType, 1);
        }
    }
    AlignedFree(rowBuffer);
    return ImageOpStatus::Ok;
}

namespace {

// The plain build's clearing routine and whole-row adders.
struct PlainPieces {
    static void Zero(void* block, std::int64_t bytes) { ZeroBytes(block, bytes); }

    static void Rows(const std::uint8_t* src, std::int32_t step, std::int32_t width,
                     std::int32_t rows, std::uint32_t* sums, std::int32_t stride, int channels) {
        if (channels == 1) {
            AccumulateRows8u1(src, step, width, rows, sums);
        } else if (channels == 3) {
            AccumulateRows8u3(src, step, width, rows, sums, stride);
        } else {
            AccumulateRows8u4(src, step, width, rows, sums);
        }
    }

    static void Rows(const std::uint16_t* src, std::int32_t step, std::int32_t width,
                     std::int32_t rows, std::uint32_t* sums, std::int32_t stride, int channels) {
        if (channels == 1) {
            AccumulateRows16u1(src, step, width, rows, sums);
        } else if (channels == 3) {
            AccumulateRows16u3(src, step, width, rows, sums, stride);
        } else {
            AccumulateRows16u4(src, step, width, rows, sums);
        }
    }

    static void Rows(const float* src, std::int32_t step, std::int32_t width, std::int32_t rows,
                     float* sums, std::int32_t stride, int channels) {
        if (channels == 1) {
            AccumulateRows32f1(src, step, width, rows, sums);
        } else if (channels == 3) {
            AccumulateRows32f3(src, step, width, rows, sums, stride);
        } else {
            AccumulateRows32f4(src, step, width, rows, sums);
        }
    }
};

}  // namespace

ImageOpStatus ResizeSupersample(const void* src, std::int32_t srcWidth, std::int32_t srcHeight,
                                std::int32_t srcStep, std::int32_t srcRoiX,
                                std::int32_t srcRoiY, std::int32_t srcRoiWidth,
                                std::int32_t srcRoiHeight, void* dst, std::int32_t dstStep,
                                std::int32_t dstWidth, std::int32_t dstHeight, double xFactor,
                                double yFactor, std::int32_t pixelStride, std::int32_t channels,
                                std::int32_t sampleType, std::int32_t planar) {
    static constexpr SupersampleBuild kPlain = SupersampleBuildFor<PlainPieces>();
    return ResizeSupersampleForBuild(kPlain, src, srcWidth, srcHeight, srcStep, srcRoiX, srcRoiY,
                                     srcRoiWidth, srcRoiHeight, dst, dstStep, dstWidth,
                                     dstHeight, xFactor, yFactor, pixelStride, channels,
                                     sampleType, planar);
}
