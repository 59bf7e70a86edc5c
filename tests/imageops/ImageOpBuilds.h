#pragma once

#include "imageops/ImageOps.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// One build of the primitives as a set of entry points, so every test can run on every build.
struct ImageOpBuild {
    std::string name;
    decltype(&CopyColorChannels8u4) copyColorChannels;
    decltype(&PremultiplyAlpha8u4) premultiplyAlpha;
    decltype(&AlphaComposite8u4) alphaComposite;
    decltype(&AlphaCompositeConst8u4) alphaCompositeConst;
    decltype(&AlphaCompositeConstColor8u4) alphaCompositeConstColor;
    decltype(&MultiplyColorInPlace8u4) multiplyColorInPlace;
    decltype(&AddColorScaledInPlace8u4) addColorScaledInPlace;
    decltype(&MultiplyConst8u4) multiplyConst;
    decltype(&FillColor8u4) fillColor;
    decltype(&FillPixel8u4) fillPixel;
    decltype(&MultiplyColor8u4) multiplyColor;
    decltype(&MultiplyBytesConst) multiplyBytesConst;
    decltype(&PremultiplyAlphaRow8u4) premultiplyRow;
    decltype(&CopyOpaqueRow8u4) copyOpaqueRow;
};

// The plain build first, then the SIMD builds.
const std::vector<ImageOpBuild>& AllImageOpBuilds();

inline void PrintTo(const ImageOpBuild& build, std::ostream* os) { *os << build.name; }

inline std::string BuildName(const testing::TestParamInfo<ImageOpBuild>& info) { return info.param.name; }
