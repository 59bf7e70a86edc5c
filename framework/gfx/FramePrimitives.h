#pragma once

#include "imageops/ImageOps.h"
#include "imageops/resize/ResizeImage8u4.h"

// The image primitives the software path composites with, reached through one table so that a
// faster build of the primitives can be bound once at start-up (and benchmarks can compare the
// builds). It holds the plain builds until something binds others.
struct FramePrimitives {
    decltype(&CopyColorChannels8u4) copyColorChannels = &CopyColorChannels8u4;
    decltype(&PremultiplyAlpha8u4) premultiplyAlpha = &PremultiplyAlpha8u4;
    decltype(&AlphaComposite8u4) alphaComposite = &AlphaComposite8u4;
    decltype(&AlphaCompositeConst8u4) alphaCompositeConst = &AlphaCompositeConst8u4;
    decltype(&MultiplyColorInPlace8u4) multiplyColorInPlace = &MultiplyColorInPlace8u4;
    decltype(&AddColorScaledInPlace8u4) addColorScaledInPlace = &AddColorScaledInPlace8u4;
    decltype(&MultiplyConst8u4) multiplyConst = &MultiplyConst8u4;
    decltype(&FillColor8u4) fillColor = &FillColor8u4;
    decltype(&FillPixel8u4) fillPixel = &FillPixel8u4;
    decltype(&ResizeImage8u4) resize = &ResizeImage8u4;
};

// The table in use; assign a whole table to rebind.
FramePrimitives& ActiveFramePrimitives();
