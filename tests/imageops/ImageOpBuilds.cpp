#include "tests/imageops/ImageOpBuilds.h"

const std::vector<ImageOpBuild>& AllImageOpBuilds() {
    static const std::vector<ImageOpBuild> builds = {
        {"plain", CopyColorChannels8u4, PremultiplyAlpha8u4, AlphaComposite8u4, AlphaCompositeConst8u4,
         AlphaCompositeConstColor8u4, MultiplyColorInPlace8u4, AddColorScaledInPlace8u4, MultiplyConst8u4,
         FillColor8u4, FillPixel8u4, MultiplyColor8u4, MultiplyBytesConst, PremultiplyAlphaRow8u4},
    };
    return builds;
}
