#include "imageops/resize/ResizeCore.h"

#include "imageops/resize/ResizeCoreBuild.h"

#include "imageops/AlignedAlloc.h"
#include "imageops/resize/LanczosWeights.h"
#include "imageops/resize/ResizeArithmetic.h"
#include "imageops/resize/ResizeBuffers.h"
#include "imageops/resize/ResizeInterpolation.h"
#include "imageops/resize/ResizeKernelTable.h"
#include "imageops/resize/ResizeRequestCheck.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace {

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// Every block of one call, released on every return path.
class ScratchBlocks {
public:
    ScratchBlocks() = default;
    ScratchBlocks(const ScratchBlocks&) = delete;
    ScratchBlocks& operator=(const ScratchBlocks&) = delete;
    ~ScratchBlocks() {
        for (int i = 0; i < count_; ++i) {
            AlignedFree(blocks_[i]);
        }
    }
    // Keeps the block; false when the allocation failed.
    template <typename T>
    bool Keep(void* block, T*& out) {
        out = static_cast<T*>(block);
        if (block == nullptr) {
            return false;
        }
        blocks_[count_++] = block;
        return true;
    }

private:
    void* blocks_[16] = {};
    int count_ = 0;
};

// Where destination index i of one axis samples the source: start + i * step as a running sum.
struct AxisMap {
    double start = 0.0;
    double step = 0.0;
    std::int32_t size = 0;  // destination pixels along the axis
    bool shifted = false;
};

// One source axis: the clipped region and where it lies in the image. Indices count from the
// region's first pixel, so the image's pixels are First() .. Last().
struct SourceAxis {
    std::int32_t roi = 0;
    std::int32_t origin = 0;
    std::int32_t image = 0;
    std::int32_t First() const { return -origin; }
    std::int32_t Last() const { return image - origin - 1; }
};

// Sizes the destination along one axis and fixes its step and start.
AxisMap MapAxis(std::int32_t roiSize, std::int32_t requested, double factor, double shift,
                bool nearest, bool scaleConvention) {
    AxisMap map;
    std::int64_t size = 0;
    if (scaleConvention) {
        const double scaled = roiSize * factor;
        size = std::max<std::int64_t>(1, ClampedTrunc(scaled + 1e-7, 0, kInt32Max));
        if (nearest) {
            map.step = 1.0 / factor;
            map.start = 0.5 * map.step;
        } else {
            // Corner alignment: destination 0 on region 0, the full-scale last pixel on the
            // region's last one.
            map.step = scaled > 1.0 ? (roiSize - 1) / (scaled - 1.0) : 0.0;
        }
    } else {
        map.step = factor;
        if (nearest) {
            size = std::max<std::int64_t>(1, ClampedTrunc(roiSize / factor + 1e-7, 0, kInt32Max));
            map.start = 0.5 * factor;
        } else {
            size = ClampedTrunc((roiSize - 1) / factor + 1e-7, 0, kInt32Max - 1) + 1;
        }
    }
    map.size = static_cast<std::int32_t>(std::min<std::int64_t>(requested, size));
    map.start += shift;
    map.shifted = shift != 0.0;
    return map;
}

// Three and four channels need pixels that hold them. The nearest kernels copy them out of
// pixels of any such stride; the interpolating kernels write packed or four-sample pixels only.
bool LayoutServed(std::int32_t sampleType, std::int32_t planar, std::int32_t pixelStride,
                  std::int32_t channels, bool nearest) {
    if (sampleType < 0 || sampleType > 2) {
        return false;
    }
    if (planar != 0) {
        return true;
    }
    switch (channels) {
    case 1:
        return pixelStride >= 1;
    case 3:
        return nearest ? pixelStride >= 3 : (pixelStride == 3 || pixelStride == 4);
    case 4:
        return nearest ? pixelStride >= 4 : pixelStride == 4;
    default:
        return false;
    }
}

// The fills below index a position by trunc(position + 1e-7), which reaches every pixel of the
// image around the region; a position beyond the image is indexed at its edge. Truncated toward
// zero, the index stays on the first pixel for a position less than a pixel before the image,
// whose fraction linear floats and cubic take as it comes; a position a pixel or more before the
// image takes the edge pixel alone. Lanczos-3 aside: its centre is bounded within three pixels
// of the image and its taps are clamped one by one.

void FillNearest(const AxisMap& map, const SourceAxis& axis, std::int64_t scale,
                 std::int32_t* offsets) {
    // Unshifted centres pass the region only where a tiny factor leaves one destination pixel
    // or the bias tips a huge factor's last one over; they take the region's last pixel.
    const std::int32_t last = map.shifted ? axis.Last() : axis.roi - 1;
    double position = map.start;
    for (std::int32_t i = 0; i < map.size; ++i) {
        offsets[i] = static_cast<std::int32_t>(PositionIndex(position, axis.First(), last) * scale);
        position += map.step;
    }
}

void FillLinearFixed(const AxisMap& map, const SourceAxis& axis, std::int64_t scale, bool pairs,
                     std::int32_t* offsets, std::uint16_t* weights) {
    const std::int32_t last = axis.Last();
    double position = map.start;
    for (std::int32_t i = 0; i < map.size; ++i) {
        std::int32_t index = PositionIndex(position, axis.First(), last);
        std::uint16_t w = 16384;
        if (index == last) {
            --index;
        } else {
            // Q14 weights do not extrapolate: a position before its pair (a hair below a whole
            // one, or shifted before it) weighs the left sample alone.
            w = static_cast<std::uint16_t>(ClampedTrunc((position - index) * 16384.0 + 1e-7, 0, 16384));
        }
        offsets[i] = static_cast<std::int32_t>(index * scale);
        if (pairs) {
            weights[2 * static_cast<std::ptrdiff_t>(i)] = static_cast<std::uint16_t>(16384 - w);
            weights[2 * static_cast<std::ptrdiff_t>(i) + 1] = w;
        } else {
            weights[i] = w;
        }
        position += map.step;
    }
}

void FillLinearFloat(const AxisMap& map, const SourceAxis& axis, std::int64_t scale,
                     std::int32_t* offsets, float* weights) {
    const std::int32_t last = axis.Last();
    double position = map.start;
    for (std::int32_t i = 0; i < map.size; ++i) {
        std::int32_t index = PositionIndex(position, axis.First(), last);
        float w = 1.0f;
        if (index == last) {
            --index;
        } else if (position <= axis.First() - 1) {
            w = 0.0f;
        } else {
            // Kept as it comes: a position a hair below a whole one gives a tiny negative
            // fraction, and one before its pair extrapolates from it.
            w = static_cast<float>(position - index);
        }
        offsets[i] = static_cast<std::int32_t>(index * scale);
        weights[i] = w;
        position += map.step;
    }
}

void FillCubic(const AxisMap& map, const SourceAxis& axis, std::int64_t scale,
               std::int32_t* offsets, float* fractions) {
    double position = map.start;
    for (std::int32_t i = 0; i < map.size; ++i) {
        std::int32_t index = PositionIndex(position, axis.First(), axis.Last());
        const std::int32_t absolute = axis.origin + index;
        // Keep the four taps index - 1 .. index + 2 inside the image.
        if (absolute == axis.image - 1) {
            index -= 2;
            fractions[i] = 2.0f;
        } else if (position <= axis.First() - 1) {
            // Every build's weights of the fraction -1 are exactly 1, 0, 0, 0.
            index = axis.First() + 1;
            fractions[i] = -1.0f;
        } else {
            if (absolute == 0) {
                ++index;
            } else if (absolute == axis.image - 2) {
                --index;
            }
            fractions[i] = static_cast<float>(position - index);
        }
        offsets[i] = static_cast<std::int32_t>(index * scale);
        position += map.step;
    }
}

void FillLanczos(const AxisMap& map, const SourceAxis& axis, std::int64_t scale,
                 std::int32_t* offsets, float* fractions) {
    double position = map.start;
    for (std::int32_t i = 0; i < map.size; ++i) {
        const double whole = std::trunc(position + 1e-7);
        fractions[i] = static_cast<float>(position - whole);
        // The kernels clamp every tap to the image, so a centre three pixels outside it
        // already reads the edge pixel alone: bounding it there changes no value.
        const auto index =
            static_cast<std::int32_t>(ClampedTrunc(whole, axis.First() - 3, axis.Last() + 2));
        offsets[i] = static_cast<std::int32_t>(index * scale);
        position += map.step;
    }
}

// The linear kernels take the row at the source origin as the upper row of the first
// destination row. Rebases the row offsets and returns the elements to move the origin by, so
// that the first offset is 0, or one row up with the whole weight on the lower row (the row the
// origin then holds, so no row outside the pair is read).
std::int64_t RebaseLinearRows(std::int32_t* rowOffsets, std::int32_t count, bool lowerOnly,
                              std::int32_t srcStep) {
    const std::int64_t base = static_cast<std::int64_t>(rowOffsets[0]) + (lowerOnly ? srcStep : 0);
    for (std::int32_t i = 0; i < count; ++i) {
        rowOffsets[i] = static_cast<std::int32_t>(rowOffsets[i] - base);
    }
    return base;
}

ResizeInterpolation Lowered(ResizeInterpolation mode, std::int32_t srcWidth,
                            std::int32_t srcHeight) {
    if (mode == ResizeInterpolation::Lanczos3 && (srcWidth < 8 || srcHeight < 8)) {
        mode = ResizeInterpolation::Cubic;
    }
    if (mode == ResizeInterpolation::Cubic && (srcWidth < 4 || srcHeight < 4)) {
        mode = ResizeInterpolation::Linear;
    }
    if (srcWidth < 2 || srcHeight < 2) {
        mode = ResizeInterpolation::Nearest;
    }
    return mode;
}

}  // namespace

ImageOpStatus ResizeCoreForBuild(const ResizeBuild& build, const void* src,
                                 std::int32_t srcWidth, std::int32_t srcHeight,
                                 std::int32_t srcStep, std::int32_t srcRoiX,
                                 std::int32_t srcRoiY, std::int32_t srcRoiWidth,
                                 std::int32_t srcRoiHeight, void* dst, std::int32_t dstStep,
                                 std::int32_t dstWidth, std::int32_t dstHeight, double xFactor,
                                 double yFactor, double xShift, double yShift,
                                 std::int32_t pixelStride, std::int32_t channels,
                                 std::int32_t sampleType, std::int32_t planar,
                                 std::int32_t interpolation, std::int32_t factorConvention) {
    const ImageOpStatus request =
        CheckResizeArguments(src, srcWidth, srcHeight, srcStep, srcRoiX, srcRoiY, srcRoiWidth,
                             srcRoiHeight, dst, dstStep, dstWidth, dstHeight, xFactor, yFactor);
    if (request != ImageOpStatus::Ok) {
        return request;
    }
    const auto requested = static_cast<ResizeInterpolation>(interpolation);
    if (requested != ResizeInterpolation::Nearest && requested != ResizeInterpolation::Linear &&
        requested != ResizeInterpolation::Cubic && requested != ResizeInterpolation::Lanczos3) {
        return ImageOpStatus::BadInterpolation;
    }
    if (!ResizePlanesPresent(src, dst, planar, channels)) {
        return ImageOpStatus::NullPointer;
    }
    const ResizeInterpolation mode = Lowered(requested, srcWidth, srcHeight);
    const bool nearest = mode == ResizeInterpolation::Nearest;
    if (!LayoutServed(sampleType, planar, pixelStride, channels, nearest)) {
        return ImageOpStatus::BadSize;
    }
    const int shift = sampleType == 1 ? 1 : (sampleType == 2 ? 2 : 0);
    const std::int64_t elementBytes = std::int64_t{1} << shift;
    // A step shorter than a row would make rows overlap and the last row reach past the image.
    if (static_cast<std::int64_t>(srcWidth) * (planar == 0 ? pixelStride : 1) * elementBytes >
        srcStep) {
        return ImageOpStatus::BadStep;
    }
    const std::int32_t srcStepElements = srcStep >> shift;
    const std::int32_t dstStepElements = dstStep >> shift;
    const bool interleavedMulti = planar == 0 && channels != 1;
    const std::int64_t columnScale = interleavedMulti ? pixelStride : 1;
    // Kernels address the image with 32-bit element offsets, Lanczos-3 centres up to three
    // pixels beyond either edge.
    if ((static_cast<std::int64_t>(srcHeight) + 3) * srcStepElements > kInt32Max ||
        (static_cast<std::int64_t>(srcWidth) + 3) * (planar == 0 ? pixelStride : 1) > kInt32Max) {
        return ImageOpStatus::BadSize;
    }

    const SourceAxis xAxis{std::min(srcRoiWidth, srcWidth - srcRoiX), srcRoiX, srcWidth};
    const SourceAxis yAxis{std::min(srcRoiHeight, srcHeight - srcRoiY), srcRoiY, srcHeight};
    const bool scaleConvention = factorConvention != 0;
    const AxisMap xMap = MapAxis(xAxis.roi, dstWidth, xFactor, xShift, nearest, scaleConvention);
    const AxisMap yMap = MapAxis(yAxis.roi, dstHeight, yFactor, yShift, nearest, scaleConvention);

    // Four channels are written as packed pixels, three into pixels pixelStride apart.
    const std::int64_t dstPixelElements =
        (planar != 0 || channels == 1) ? 1 : (channels == 4 ? 4 : pixelStride);
    if (xMap.size * dstPixelElements * elementBytes > dstStep) {
        return ImageOpStatus::BadStep;
    }

    // Values per pixel in a row buffer.
    const std::int64_t perPixel = (planar != 0 || channels == 1) ? 1 : (channels == 3 ? 3 : 4);
    const std::int64_t bufferElements = (static_cast<std::int64_t>(xMap.size) + 4) * perPixel;
    if (bufferElements > kInt32Max) {
        return ImageOpStatus::OutOfMemory;
    }

    ScratchBlocks blocks;
    ResizeKernelCall call;
    std::int32_t* rowOffsets = nullptr;
    std::int32_t* columnOffsets = nullptr;
    if (!blocks.Keep(AlignedAllocInts(yMap.size), rowOffsets) ||
        !blocks.Keep(AlignedAllocInts(xMap.size), columnOffsets)) {
        return ImageOpStatus::OutOfMemory;
    }
    const bool fixedPoint = mode == ResizeInterpolation::Linear && sampleType != 2;
    int bufferCount = 0;
    std::int64_t firstRowBase = 0;  // elements the source origin moves down by
    void* rowWeights = nullptr;
    void* columnWeights = nullptr;
    if (nearest) {
        FillNearest(yMap, yAxis, srcStepElements, rowOffsets);
        FillNearest(xMap, xAxis, columnScale, columnOffsets);
    } else if (mode == ResizeInterpolation::Linear) {
        bufferCount = 2;
        if (fixedPoint) {
            std::uint16_t* yWeights = nullptr;
            std::uint16_t* xWeights = nullptr;
            if (!blocks.Keep(AlignedAllocShorts(yMap.size), yWeights) ||
                !blocks.Keep(AlignedAllocShorts(2 * static_cast<std::int64_t>(xMap.size)), xWeights)) {
                return ImageOpStatus::OutOfMemory;
            }
            FillLinearFixed(yMap, yAxis, srcStepElements, false, rowOffsets, yWeights);
            FillLinearFixed(xMap, xAxis, columnScale, true, columnOffsets, xWeights);
            firstRowBase = RebaseLinearRows(rowOffsets, yMap.size, yWeights[0] == 16384,
                                            srcStepElements);
            rowWeights = yWeights;
            columnWeights = xWeights;
        } else {
            float* yWeights = nullptr;
            float* xWeights = nullptr;
            if (!blocks.Keep(AlignedAllocInts(yMap.size), yWeights) ||
                !blocks.Keep(AlignedAllocInts(xMap.size), xWeights)) {
                return ImageOpStatus::OutOfMemory;
            }
            FillLinearFloat(yMap, yAxis, srcStepElements, rowOffsets, yWeights);
            FillLinearFloat(xMap, xAxis, columnScale, columnOffsets, xWeights);
            firstRowBase = RebaseLinearRows(rowOffsets, yMap.size, yWeights[0] == 1.0f,
                                            srcStepElements);
            rowWeights = yWeights;
            columnWeights = xWeights;
        }
    } else {
        float* yFractions = nullptr;
        float* xFractions = nullptr;
        if (!blocks.Keep(AlignedAllocInts(yMap.size), yFractions) ||
            !blocks.Keep(AlignedAllocInts(xMap.size), xFractions)) {
            return ImageOpStatus::OutOfMemory;
        }
        if (mode == ResizeInterpolation::Cubic) {
            bufferCount = 4;
            FillCubic(yMap, yAxis, srcStepElements, rowOffsets, yFractions);
            FillCubic(xMap, xAxis, columnScale, columnOffsets, xFractions);
            rowWeights = yFractions;
            columnWeights = xFractions;
        } else {
            bufferCount = 6;
            FillLanczos(yMap, yAxis, srcStepElements, rowOffsets, yFractions);
            FillLanczos(xMap, xAxis, columnScale, columnOffsets, xFractions);
            rowWeights = yFractions;
            columnWeights = xFractions;
        }
    }
    for (int i = 0; i < bufferCount; ++i) {
        void* buffer = fixedPoint ? AlignedAllocShorts(bufferElements) : AlignedAllocInts(bufferElements);
        if (!blocks.Keep(buffer, call.lineBuffers[i])) {
            return ImageOpStatus::OutOfMemory;
        }
    }
    if (mode == ResizeInterpolation::Lanczos3) {
        float* xTaps = nullptr;
        float* yTaps = nullptr;
        if (!blocks.Keep(AlignedAllocInts(6 * static_cast<std::int64_t>(xMap.size)), xTaps)) {
            return ImageOpStatus::OutOfMemory;
        }
        build.lanczosWeights(static_cast<const float*>(columnWeights), xMap.size, xTaps);
        if (!blocks.Keep(AlignedAllocInts(6 * static_cast<std::int64_t>(yMap.size)), yTaps)) {
            return ImageOpStatus::OutOfMemory;
        }
        build.lanczosWeights(static_cast<const float*>(rowWeights), yMap.size, yTaps);
        columnWeights = xTaps;
        rowWeights = yTaps;
    }

    call.srcStep = srcStepElements;
    call.dstStep = dstStepElements;
    call.dstWidth = xMap.size;
    call.dstHeight = yMap.size;
    call.rowOffsets = rowOffsets;
    call.columnOffsets = columnOffsets;
    call.rowWeights = rowWeights;
    call.columnWeights = columnWeights;
    call.srcRoiX = srcRoiX;
    call.srcRoiY = srcRoiY;
    call.columnsRight = srcWidth - srcRoiX;
    call.rowsBelow = srcHeight - srcRoiY;
    call.upY = scaleConvention ? (yFactor >= 1.0 ? 1 : 0) : (yFactor < 1.0 ? 1 : 0);

    int base = kResizeNearestBase;
    switch (mode) {
    case ResizeInterpolation::Lanczos3:
        base = kResizeLanczosBase;
        break;
    case ResizeInterpolation::Cubic:
        base = kResizeCubicBase;
        break;
    case ResizeInterpolation::Linear:
        base = kResizeLinearBase;
        break;
    default:
        break;
    }
    const auto elementSize = static_cast<std::ptrdiff_t>(elementBytes);
    const std::ptrdiff_t rowBase = static_cast<std::ptrdiff_t>(firstRowBase) * elementSize;
    if (planar == 0) {
        int index = base + sampleType;
        if (channels == 1) {
            index += 3;
        } else if (nearest && channels == 4) {
            index += 6;
        }
        call.src = static_cast<const unsigned char*>(src) + rowBase +
                   static_cast<std::ptrdiff_t>(srcRoiY) * srcStep +
                   static_cast<std::ptrdiff_t>(srcRoiX) * pixelStride * elementSize;
        call.dst = dst;
        call.pixelStride = pixelStride;
        call.channels = channels;
        build.kernels[index](call);
    } else {
        const int planes = channels == 3 ? 3 : 4;
        const auto* srcPlanes = static_cast<const void* const*>(src);
        auto* const* dstPlanes = static_cast<void* const*>(dst);
        const std::ptrdiff_t planeOffset = rowBase +
                                           static_cast<std::ptrdiff_t>(srcRoiY) * srcStep +
                                           static_cast<std::ptrdiff_t>(srcRoiX) * elementSize;
        for (int k = 0; k < planes; ++k) {
            call.src = static_cast<const unsigned char*>(srcPlanes[k]) + planeOffset;
            call.dst = dstPlanes[k];
            call.pixelStride = 0;
            call.channels = 0;
            build.kernels[base + 3 + sampleType](call);
        }
    }
    return ImageOpStatus::Ok;
}

ImageOpStatus ResizeCore(const void* src, std::int32_t srcWidth, std::int32_t srcHeight,
                         std::int32_t srcStep, std::int32_t srcRoiX, std::int32_t srcRoiY,
                         std::int32_t srcRoiWidth, std::int32_t srcRoiHeight, void* dst,
                         std::int32_t dstStep, std::int32_t dstWidth, std::int32_t dstHeight,
                         double xFactor, double yFactor, double xShift, double yShift,
                         std::int32_t pixelStride, std::int32_t channels,
                         std::int32_t sampleType, std::int32_t planar,
                         std::int32_t interpolation, std::int32_t factorConvention) {
    static constexpr ResizeBuild kPlain{ResizeKernelTable, LanczosWeights};
    return ResizeCoreForBuild(kPlain, src, srcWidth, srcHeight, srcStep, srcRoiX, srcRoiY,
                              srcRoiWidth, srcRoiHeight, dst, dstStep, dstWidth, dstHeight,
                              xFactor, yFactor, xShift, yShift, pixelStride, channels,
                              sampleType, planar, interpolation, factorConvention);
}
