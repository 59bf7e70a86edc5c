#include "imageops/ImageOpsSse3.h"

#include "imageops/ImageOpEntries.h"
#include "imageops/LanesSse2.h"
#include "imageops/VectorRows.h"

namespace {

using Rows = VectorRows<Sse2Lanes>;
using Build = ImageOpEntries<Rows>;

}  // namespace

ImageOpStatus CopyColorChannels8u4Sse3(const std::uint8_t* src, std::int32_t srcStep, std::uint8_t* dst,
                                       std::int32_t dstStep, std::int32_t width, std::int32_t height) {
    return Build::CopyColorChannels(src, srcStep, dst, dstStep, width, height);
}

ImageOpStatus PremultiplyAlpha8u4Sse3(std::uint8_t* srcDst, std::int32_t step, std::int32_t width,
                                      std::int32_t height) {
    return Build::PremultiplyAlpha(srcDst, step, width, height);
}

void PremultiplyAlphaRow8u4Sse3(const std::uint8_t* src, std::uint8_t* dst, std::int64_t count) {
    Rows::Premultiply(src, dst, count);
    Rows::Finish();
}

void CopyColorChannelsRow8u4Sse3(const std::uint8_t* src, std::uint8_t* dst, std::int64_t byteCount) {
    Rows::CopyColor(src, dst, byteCount / 4);
}

void CopyOpaqueRow8u4Sse3(const std::uint8_t* src, std::uint8_t* dst, std::int64_t count) {
    Rows::CopyOpaque(src, dst, count);
    Rows::Finish();
}

ImageOpStatus AlphaComposite8u4Sse3(const std::uint8_t* src1, std::int32_t src1Step, const std::uint8_t* src2,
                                    std::int32_t src2Step, std::uint8_t* dst, std::int32_t dstStep, std::int32_t width,
                                    std::int32_t height, CompositeOp op) {
    return Build::AlphaComposite(src1, src1Step, src2, src2Step, dst, dstStep, width, height, op);
}

ImageOpStatus AlphaCompositeConst8u4Sse3(const std::uint8_t* src1, std::int32_t src1Step, std::uint8_t alpha1,
                                         const std::uint8_t* src2, std::int32_t src2Step, std::uint8_t alpha2,
                                         std::uint8_t* dst, std::int32_t dstStep, std::int32_t width,
                                         std::int32_t height, CompositeOp op) {
    return Build::AlphaCompositeConst<false>(src1, src1Step, alpha1, src2, src2Step, alpha2, dst, dstStep, width,
                                             height, op);
}

ImageOpStatus AlphaCompositeConstColor8u4Sse3(const std::uint8_t* src1, std::int32_t src1Step, std::uint8_t alpha1,
                                              const std::uint8_t* src2, std::int32_t src2Step, std::uint8_t alpha2,
                                              std::uint8_t* dst, std::int32_t dstStep, std::int32_t width,
                                              std::int32_t height, CompositeOp op) {
    return Build::AlphaCompositeConst<true>(src1, src1Step, alpha1, src2, src2Step, alpha2, dst, dstStep, width, height,
                                            op);
}

ImageOpStatus MultiplyColor8u4Sse3(const std::uint8_t* src, std::int32_t srcStep, const std::uint8_t* value,
                                   std::uint8_t* dst, std::int32_t dstStep, std::int32_t width, std::int32_t height) {
    return Build::MultiplyColor(src, srcStep, value, dst, dstStep, width, height);
}

ImageOpStatus MultiplyColorInPlace8u4Sse3(const std::uint8_t* value, std::uint8_t* srcDst, std::int32_t step,
                                          std::int32_t width, std::int32_t height) {
    return Build::MultiplyColor(srcDst, step, value, srcDst, step, width, height);
}

ImageOpStatus MultiplyBytesConstSse3(const std::uint8_t* src, std::int32_t srcStep, std::uint8_t value,
                                     std::uint8_t* dst, std::int32_t dstStep, std::int32_t widthInBytes,
                                     std::int32_t height) {
    return Build::MultiplyBytesConst(src, srcStep, value, dst, dstStep, widthInBytes, height);
}

ImageOpStatus MultiplyConst8u4Sse3(const std::uint8_t* src, std::int32_t srcStep, const std::uint8_t* value,
                                   std::uint8_t* dst, std::int32_t dstStep, std::int32_t width, std::int32_t height) {
    return Build::MultiplyConst(src, srcStep, value, dst, dstStep, width, height);
}

ImageOpStatus AddColorScaledInPlace8u4Sse3(const std::uint8_t* value, std::uint8_t* srcDst, std::int32_t step,
                                           std::int32_t width, std::int32_t height, std::int32_t scaleFactor) {
    return Build::AddColorScaled(value, srcDst, step, width, height, scaleFactor);
}

ImageOpStatus FillColor8u4Sse3(const std::uint8_t* value, std::uint8_t* dst, std::int32_t dstStep, std::int32_t width,
                               std::int32_t height) {
    return Build::FillColor(value, dst, dstStep, width, height);
}

ImageOpStatus FillPixel8u4Sse3(const std::uint8_t* value, std::uint8_t* dst, std::int32_t dstStep, std::int32_t width,
                               std::int32_t height) {
    return Build::FillPixel(value, dst, dstStep, width, height);
}
