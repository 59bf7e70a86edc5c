#include "tests/imageops/ImageOpBuilds.h"

#include "imageops/ImageOpsSse.h"
#include "imageops/ImageOpsSse2.h"
#include "imageops/ImageOpsSse3.h"

const std::vector<ImageOpBuild>& AllImageOpBuilds() {
    static const std::vector<ImageOpBuild> builds = {
        {"plain", CopyColorChannels8u4, PremultiplyAlpha8u4, AlphaComposite8u4, AlphaCompositeConst8u4,
         AlphaCompositeConstColor8u4, MultiplyColorInPlace8u4, AddColorScaledInPlace8u4, MultiplyConst8u4, FillColor8u4,
         FillPixel8u4, MultiplyColor8u4, MultiplyBytesConst, PremultiplyAlphaRow8u4, CopyOpaqueRow8u4},
        {"sse", CopyColorChannels8u4Sse, PremultiplyAlpha8u4Sse, AlphaComposite8u4Sse, AlphaCompositeConst8u4Sse,
         AlphaCompositeConstColor8u4Sse, MultiplyColorInPlace8u4Sse, AddColorScaledInPlace8u4Sse, MultiplyConst8u4Sse,
         FillColor8u4Sse, FillPixel8u4Sse, MultiplyColor8u4Sse, MultiplyBytesConstSse, PremultiplyAlphaRow8u4Sse, CopyOpaqueRow8u4Sse},
        {"sse2", CopyColorChannels8u4Sse2, PremultiplyAlpha8u4Sse2, AlphaComposite8u4Sse2, AlphaCompositeConst8u4Sse2,
         AlphaCompositeConstColor8u4Sse2, MultiplyColorInPlace8u4Sse2, AddColorScaledInPlace8u4Sse2,
         MultiplyConst8u4Sse2, FillColor8u4Sse2, FillPixel8u4Sse2, MultiplyColor8u4Sse2, MultiplyBytesConstSse2,
         PremultiplyAlphaRow8u4Sse2, CopyOpaqueRow8u4Sse2},
        {"sse3", CopyColorChannels8u4Sse3, PremultiplyAlpha8u4Sse3, AlphaComposite8u4Sse3, AlphaCompositeConst8u4Sse3,
         AlphaCompositeConstColor8u4Sse3, MultiplyColorInPlace8u4Sse3, AddColorScaledInPlace8u4Sse3,
         MultiplyConst8u4Sse3, FillColor8u4Sse3, FillPixel8u4Sse3, MultiplyColor8u4Sse3, MultiplyBytesConstSse3,
         PremultiplyAlphaRow8u4Sse3, CopyOpaqueRow8u4Sse3},
    };
    return builds;
}
