#pragma once

#include "imageops/ArgumentChecks.h"
#include "imageops/CompositeOp.h"
#include "imageops/ImageOpStatus.h"
#include "imageops/ScalarKernels.h"

#include <cstdint>

// The entries of every build: argument tests in their fixed order, then the rows handed to the
// build's row kernels. Rows that touch (every step equal to the row width) go as one long row.
namespace {

// Fills of more pixel bytes than this go past the caches in the builds that stream only large
// fills: such a fill would evict what it is drawn from.
constexpr std::int64_t kStreamingFillBytes = 0x40000;

template <class Body>
void VisitRows(std::uint8_t* d, std::int32_t dStep, std::int32_t units, std::int32_t unitBytes,
               std::int32_t height, Body&& body) {
    if (dStep == static_cast<std::int64_t>(units) * unitBytes) {
        body(d, static_cast<Count>(units) * height);
        return;
    }
    for (std::int32_t r = 0; r < height; ++r) {
        body(RowAt(d, dStep, r), Count{units});
    }
}

template <class Body>
void VisitRows(const std::uint8_t* s, std::int32_t sStep, std::uint8_t* d, std::int32_t dStep, std::int32_t units,
               std::int32_t unitBytes, std::int32_t height, Body&& body) {
    const std::int64_t rowBytes = static_cast<std::int64_t>(units) * unitBytes;
    if (sStep == rowBytes && dStep == rowBytes) {
        body(s, d, static_cast<Count>(units) * height);
        return;
    }
    for (std::int32_t r = 0; r < height; ++r) {
        body(RowAt(s, sStep, r), RowAt(d, dStep, r), Count{units});
    }
}

template <class Body>
void VisitRows(const std::uint8_t* a, std::int32_t aStep, const std::uint8_t* b, std::int32_t bStep, std::uint8_t* d,
               std::int32_t dStep, std::int32_t units, std::int32_t unitBytes, std::int32_t height, Body&& body) {
    const std::int64_t rowBytes = static_cast<std::int64_t>(units) * unitBytes;
    if (aStep == rowBytes && bStep == rowBytes && dStep == rowBytes) {
        body(a, b, d, static_cast<Count>(units) * height);
        return;
    }
    for (std::int32_t r = 0; r < height; ++r) {
        body(RowAt(a, aStep, r), RowAt(b, bStep, r), RowAt(d, dStep, r), Count{units});
    }
}

template <class Rows>
struct ImageOpEntries {
    using Byte = std::uint8_t;

    static ImageOpStatus CopyColorChannels(const Byte* src, std::int32_t srcStep, Byte* dst, std::int32_t dstStep,
                                           std::int32_t width, std::int32_t height) {
        const ImageOpStatus status =
            CheckSizeBeforeSteps(src == nullptr || dst == nullptr, width, height, srcStep, dstStep);
        if (status != ImageOpStatus::Ok) return status;
        VisitRows(src, srcStep, dst, dstStep, width, 4, height,
                  [](const Byte* s, Byte* d, Count n) { Rows::CopyColor(s, d, n); });
        Rows::Finish();
        return ImageOpStatus::Ok;
    }

    static ImageOpStatus PremultiplyAlpha(Byte* srcDst, std::int32_t step, std::int32_t width, std::int32_t height) {
        const ImageOpStatus status = CheckSizeBeforeSteps(srcDst == nullptr, width, height, step);
        if (status != ImageOpStatus::Ok) return status;
        VisitRows(srcDst, step, width, 4, height, [](Byte* d, Count n) { Rows::Premultiply(d, d, n); });
        Rows::Finish();
        return ImageOpStatus::Ok;
    }

    static ImageOpStatus AlphaComposite(const Byte* src1, std::int32_t src1Step, const Byte* src2,
                                        std::int32_t src2Step, Byte* dst, std::int32_t dstStep, std::int32_t width,
                                        std::int32_t height, CompositeOp op) {
        const ImageOpStatus status = CheckSizeBeforeSteps(src1 == nullptr || src2 == nullptr || dst == nullptr,
                                                          width, height, src1Step, src2Step, dstStep);
        if (status != ImageOpStatus::Ok) return status;
        if (!IsValidOperator(op)) return ImageOpStatus::BadOperator;
        WithOperator(op, [&](auto kind, auto premultiplied) {
            constexpr PorterDuff K = decltype(kind)::value;
            constexpr bool P = decltype(premultiplied)::value;
            VisitRows(src1, src1Step, src2, src2Step, dst, dstStep, width, 4, height,
                      [](const Byte* a, const Byte* b, Byte* d, Count n) {
                          Rows::template Composite<K, P>(a, b, d, n);
                      });
        });
        Rows::Finish();
        return ImageOpStatus::Ok;
    }

    // Slot 6 treats every byte as a sample; slot 7 (ColourOnly) keeps the destination alpha.
    template <bool ColourOnly>
    static ImageOpStatus AlphaCompositeConst(const Byte* src1, std::int32_t src1Step, Byte alpha1, const Byte* src2,
                                             std::int32_t src2Step, Byte alpha2, Byte* dst, std::int32_t dstStep,
                                             std::int32_t width, std::int32_t height, CompositeOp op) {
        const ImageOpStatus status = CheckSizeBeforeSteps(src1 == nullptr || src2 == nullptr || dst == nullptr,
                                                          width, height, src1Step, src2Step, dstStep);
        if (status != ImageOpStatus::Ok) return status;
        if (!IsValidOperator(op)) return ImageOpStatus::BadOperator;
        WithOperator(op, [&](auto kind, auto premultiplied) {
            constexpr PorterDuff K = decltype(kind)::value;
            constexpr bool P = decltype(premultiplied)::value;
            if constexpr (ColourOnly) {
                VisitRows(src1, src1Step, src2, src2Step, dst, dstStep, width, 4, height,
                          [&](const Byte* a, const Byte* b, Byte* d, Count n) {
                              Rows::template CompositeConstColor<K, P>(a, alpha1, b,
                                                                                                 alpha2, d, n);
                          });
            } else {
                VisitRows(src1, src1Step, src2, src2Step, dst, dstStep, width, 4, height,
                          [&](const Byte* a, const Byte* b, Byte* d, Count n) {
                              Rows::template CompositeConst<K, P>(a, alpha1, b, alpha2,
                                                                                            d, n * 4);
                          });
            }
        });
        Rows::Finish();
        return ImageOpStatus::Ok;
    }

    static ImageOpStatus MultiplyColor(const Byte* src, std::int32_t srcStep, const Byte* value, Byte* dst,
                                       std::int32_t dstStep, std::int32_t width, std::int32_t height) {
        const ImageOpStatus status = CheckStepsBeforeSize(src == nullptr || value == nullptr || dst == nullptr,
                                                          width, height, srcStep, dstStep);
        if (status != ImageOpStatus::Ok) return status;
        VisitRows(src, srcStep, dst, dstStep, width, 4, height,
                  [value](const Byte* s, Byte* d, Count n) { Rows::MultiplyColor(s, d, n, value); });
        Rows::Finish();
        return ImageOpStatus::Ok;
    }

    static ImageOpStatus MultiplyBytesConst(const Byte* src, std::int32_t srcStep, Byte value, Byte* dst,
                                            std::int32_t dstStep, std::int32_t widthInBytes, std::int32_t height) {
        const ImageOpStatus status =
            CheckStepsBeforeSize(src == nullptr || dst == nullptr, widthInBytes, height, srcStep, dstStep);
        if (status != ImageOpStatus::Ok) return status;
        MultiplyByteRows(src, srcStep, value, dst, dstStep, widthInBytes, 1, height);
        return ImageOpStatus::Ok;
    }

    static ImageOpStatus MultiplyConst(const Byte* src, std::int32_t srcStep, const Byte* value, Byte* dst,
                                       std::int32_t dstStep, std::int32_t width, std::int32_t height) {
        const ImageOpStatus status = CheckStepsBeforeSize(src == nullptr || value == nullptr || dst == nullptr,
                                                          width, height, srcStep, dstStep);
        if (status != ImageOpStatus::Ok) return status;
        if (value[0] == value[1] && value[0] == value[2] && value[0] == value[3]) {
            // The byte multiply of the same build over rows of 4 x width bytes: its tests are
            // the ones just passed.
            MultiplyByteRows(src, srcStep, value[0], dst, dstStep, width, 4, height);
            return ImageOpStatus::Ok;
        }
        VisitRows(src, srcStep, dst, dstStep, width, 4, height,
                  [value](const Byte* s, Byte* d, Count n) { Rows::MultiplyPixel(s, d, n, value); });
        Rows::Finish();
        return ImageOpStatus::Ok;
    }

    static ImageOpStatus AddColorScaled(const Byte* value, Byte* srcDst, std::int32_t step, std::int32_t width,
                                        std::int32_t height, std::int32_t scaleFactor) {
        // Tested before the large scales hand over to the fill, so every scale sees the same tests.
        const ImageOpStatus status =
            CheckSizeBeforeSteps(value == nullptr || srcDst == nullptr, width, height, step);
        if (status != ImageOpStatus::Ok) return status;
        if (scaleFactor >= 10) {
            static constexpr Byte kBlack[3] = {0, 0, 0};
            return FillColor(kBlack, srcDst, step, width, height);
        }
        VisitRows(srcDst, step, width, 4, height,
                  [value, scaleFactor](Byte* d, Count n) { Rows::AddColorScaled(d, n, value, scaleFactor); });
        Rows::Finish();
        return ImageOpStatus::Ok;
    }

    // Every build fills colour without its alpha in plain code.
    static ImageOpStatus FillColor(const Byte* value, Byte* dst, std::int32_t dstStep, std::int32_t width,
                                   std::int32_t height) {
        const ImageOpStatus status = CheckSizeBeforeSteps(value == nullptr || dst == nullptr, width, height, dstStep);
        if (status != ImageOpStatus::Ok) return status;
        VisitRows(dst, dstStep, width, 4, height, [value](Byte* d, Count n) { FillPixels<3>(d, n, value); });
        return ImageOpStatus::Ok;
    }

    static ImageOpStatus FillPixel(const Byte* value, Byte* dst, std::int32_t dstStep, std::int32_t width,
                                   std::int32_t height) {
        const ImageOpStatus status = CheckSizeBeforeSteps(value == nullptr || dst == nullptr, width, height, dstStep);
        if (status != ImageOpStatus::Ok) return status;
        // A copy the rows cannot alias, so the pattern is formed once and not reread per row.
        const Byte pixel[4] = {value[0], value[1], value[2], value[3]};
        const bool streaming = PixelBytes(width) * height > kStreamingFillBytes;
        VisitRows(dst, dstStep, width, 4, height,
                  [&pixel, streaming](Byte* d, Count n) { Rows::FillPixel(d, n, pixel, streaming); });
        Rows::Finish();
        return ImageOpStatus::Ok;
    }

private:
    static void MultiplyByteRows(const Byte* src, std::int32_t srcStep, Byte value, Byte* dst, std::int32_t dstStep,
                                 std::int32_t units, std::int32_t unitBytes, std::int32_t height) {
        VisitRows(src, srcStep, dst, dstStep, units, unitBytes, height,
                  [value, unitBytes](const Byte* s, Byte* d, Count n) { Rows::MultiplyBytes(s, d, n * unitBytes, value); });
        Rows::Finish();
    }
};

}  // namespace
