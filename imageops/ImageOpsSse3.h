#pragma once

#include <cstdint>

#include "imageops/CompositeOp.h"
#include "imageops/ImageOpStatus.h"

// The SSE3 build: the SSE2 kernels compiled for SSE3 processors as a column of their own, with
// no instruction beyond SSE2.
// Same operations, argument tests and results as the plain build in ImageOps.h; see there.

// Colour bytes copied, destination alpha kept.
ImageOpStatus CopyColorChannels8u4Sse3(const std::uint8_t* src, std::int32_t srcStep, std::uint8_t* dst,
                                       std::int32_t dstStep, std::int32_t width, std::int32_t height);

// Row kernel of the colour copy over byteCount bytes, a multiple of 4.
void CopyColorChannelsRow8u4Sse3(const std::uint8_t* src, std::uint8_t* dst, std::int64_t byteCount);

// Colour bytes scaled by the pixel's alpha, in place.
ImageOpStatus PremultiplyAlpha8u4Sse3(std::uint8_t* srcDst, std::int32_t step, std::int32_t width, std::int32_t height);

// Row kernel of the premultiply: source and destination the same row or apart; a count below 1
// writes nothing.
void PremultiplyAlphaRow8u4Sse3(const std::uint8_t* src, std::uint8_t* dst, std::int64_t count);

// Row kernel of the keyed copy, as CopyOpaqueRow8u4.
void CopyOpaqueRow8u4Sse3(const std::uint8_t* src, std::uint8_t* dst, std::int64_t count);

// Porter-Duff compositing with each pixel's own alpha: dst := src1 op src2.
ImageOpStatus AlphaComposite8u4Sse3(const std::uint8_t* src1, std::int32_t src1Step, const std::uint8_t* src2,
                                    std::int32_t src2Step, std::uint8_t* dst, std::int32_t dstStep, std::int32_t width,
                                    std::int32_t height, CompositeOp op);

// The same with one constant alpha per source, applied to all four bytes as samples.
ImageOpStatus AlphaCompositeConst8u4Sse3(const std::uint8_t* src1, std::int32_t src1Step, std::uint8_t alpha1,
                                         const std::uint8_t* src2, std::int32_t src2Step, std::uint8_t alpha2,
                                         std::uint8_t* dst, std::int32_t dstStep, std::int32_t width,
                                         std::int32_t height, CompositeOp op);

// As AlphaCompositeConst8u4 on bytes 0 to 2; destination alpha kept.
ImageOpStatus AlphaCompositeConstColor8u4Sse3(const std::uint8_t* src1, std::int32_t src1Step, std::uint8_t alpha1,
                                              const std::uint8_t* src2, std::int32_t src2Step, std::uint8_t alpha2,
                                              std::uint8_t* dst, std::int32_t dstStep, std::int32_t width,
                                              std::int32_t height, CompositeOp op);

// Colour bytes scaled by value[0..2]; alpha kept. Steps are tested before sizes.
ImageOpStatus MultiplyColor8u4Sse3(const std::uint8_t* src, std::int32_t srcStep, const std::uint8_t* value,
                                   std::uint8_t* dst, std::int32_t dstStep, std::int32_t width, std::int32_t height);
ImageOpStatus MultiplyColorInPlace8u4Sse3(const std::uint8_t* value, std::uint8_t* srcDst, std::int32_t step,
                                          std::int32_t width, std::int32_t height);

// Every byte of a region of widthInBytes by height scaled by one value.
ImageOpStatus MultiplyBytesConstSse3(const std::uint8_t* src, std::int32_t srcStep, std::uint8_t value,
                                     std::uint8_t* dst, std::int32_t dstStep, std::int32_t widthInBytes,
                                     std::int32_t height);

// All four bytes scaled by value[0..3].
ImageOpStatus MultiplyConst8u4Sse3(const std::uint8_t* src, std::int32_t srcStep, const std::uint8_t* value,
                                   std::uint8_t* dst, std::int32_t dstStep, std::int32_t width, std::int32_t height);

// Colour bytes := scaled(colour + value[k]) by scaleFactor; alpha kept. Scales of 10 and more
// clear the colour.
ImageOpStatus AddColorScaledInPlace8u4Sse3(const std::uint8_t* value, std::uint8_t* srcDst, std::int32_t step,
                                           std::int32_t width, std::int32_t height, std::int32_t scaleFactor);

// Colour bytes := value[0..2], alpha kept.
ImageOpStatus FillColor8u4Sse3(const std::uint8_t* value, std::uint8_t* dst, std::int32_t dstStep, std::int32_t width,
                               std::int32_t height);

// Every pixel := value[0..3].
ImageOpStatus FillPixel8u4Sse3(const std::uint8_t* value, std::uint8_t* dst, std::int32_t dstStep, std::int32_t width,
                               std::int32_t height);
