#include "imageops/ImageOps.h"

#include "imageops/ImageOpEntries.h"
#include "imageops/ScalarKernels.h"

namespace {
using Plain = ImageOpEntries<ScalarRows>;
}  // namespace

ImageOpStatus CopyColorChannels8u4(const std::uint8_t* src, std::int32_t srcStep, std::uint8_t* dst,
                                   std::int32_t dstStep, std::int32_t width, std::int32_t height) {
    return Plain::CopyColorChannels(src, srcStep, dst, dstStep, width, height);
}

ImageOpStatus PremultiplyAlpha8u4(std::uint8_t* srcDst, std::int32_t step, std::int32_t width, std::int32_t height) {
    return Plain::PremultiplyAlpha(srcDst, step, width, height);
}

void PremultiplyAlphaRow8u4(const std::uint8_t* src, std::uint8_t* dst, std::int64_t count) {
    ScalarRows::Premultiply(src, dst, count);
}

void CopyOpaqueRow8u4(const std::uint8_t* src, std::uint8_t* dst, std::int64_t count) {
    ScalarRows::CopyOpaque(src, dst, count);
}

ImageOpStatus AlphaComposite8u4(const std::uint8_t* src1, std::int32_t src1Step, const std::uint8_t* src2,
                                std::int32_t src2Step, std::uint8_t* dst, std::int32_t dstStep, std::int32_t width,
                                std::int32_t height, CompositeOp op) {
    return Plain::AlphaComposite(src1, src1Step, src2, src2Step, dst, dstStep, width, height, op);
}

ImageOpStatus AlphaCompositeConst8u4(const std::uint8_t* src1, std::int32_t src1Step, std::uint8_t alpha1,
                                     const std::uint8_t* src2, std::int32_t src2Step, std::uint8_t alpha2,
                                     std::uint8_t* dst, std::int32_t dstStep, std::int32_t width, std::int32_t height,
                                     CompositeOp op) {
    return Plain::AlphaCompositeConst<false>(src1, src1Step, alpha1, src2, src2Step, alpha2, dst, dstStep, width,
                                             height, op);
}

ImageOpStatus AlphaCompositeConstColor8u4(const std::uint8_t* src1, std::int32_t src1Step, std::uint8_t alpha1,
                                          const std::uint8_t* src2, std::int32_t src2Step, std::uint8_t alpha2,
                                          std::uint8_t* dst, std::int32_t dstStep, std::int32_t width,
                                          std::int32_t height, CompositeOp op) {
    return Plain::AlphaCompositeConst<true>(src1, src1Step, alpha1, src2, src2Step, alpha2, dst, dstStep, width,
                                            height, op);
}

ImageOpStatus MultiplyColor8u4(const std::uint8_t* src, std::int32_t srcStep, const std::uint8_t* value,
                               std::uint8_t* dst, std::int32_t dstStep, std::int32_t width, std::int32_t height) {
    return Plain::MultiplyColor(src, srcStep, value, dst, dstStep, width, height);
}

ImageOpStatus MultiplyColorInPlace8u4(const std::uint8_t* value, std::uint8_t* srcDst, std::int32_t step,
                                      std::int32_t width, std::int32_t height) {
    return Plain::MultiplyColor(srcDst, step, value, srcDst, step, width, height);
}

ImageOpStatus MultiplyBytesConst(const std::uint8_t* src, std::int32_t srcStep, std::uint8_t value, std::uint8_t* dst,
                                 std::int32_t dstStep, std::int32_t widthInBytes, std::int32_t height) {
    return Plain::MultiplyBytesConst(src, srcStep, value, dst, dstStep, widthInBytes, height);
}

ImageOpStatus MultiplyConst8u4(const std::uint8_t* src, std::int32_t srcStep, const std::uint8_t* value,
                               std::uint8_t* dst, std::int32_t dstStep, std::int32_t width, std::int32_t height) {
    return Plain::MultiplyConst(src, srcStep, value, dst, dstStep, width, height);
}

ImageOpStatus AddColorScaledInPlace8u4(const std::uint8_t* value, std::uint8_t* srcDst, std::int32_t step,
                                       std::int32_t width, std::int32_t height, std::int32_t scaleFactor) {
    return Plain::AddColorScaled(value, srcDst, step, width, height, scaleFactor);
}

ImageOpStatus FillColor8u4(const std::uint8_t* value, std::uint8_t* dst, std::int32_t dstStep, std::int32_t width,
                           std::int32_t height) {
    return Plain::FillColor(value, dst, dstStep, width, height);
}

ImageOpStatus FillPixel8u4(const std::uint8_t* value, std::uint8_t* dst, std::int32_t dstStep, std::int32_t width,
                           std::int32_t height) {
    return Plain::FillPixel(value, dst, dstStep, width, height);
}
