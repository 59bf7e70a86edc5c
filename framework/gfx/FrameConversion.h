#pragma once

#include <cstdint>

// Converters from the software path's 32-bit frame (blue, green, red, alpha bytes) into the
// formats a presentation surface may have, the read-back of small 16- and 24-bit surfaces and
// the 32-to-24-bit row packing of BMP saving. Every converter takes both steps, so a surface
// whose pitch is wider than its rows is filled row by row at its own pitch.

// A surface's pixel layout by channel masks.
struct PixelFormatMasks {
    int32_t bitsPerPixel = 0;
    uint32_t redMask = 0;
    uint32_t greenMask = 0;
    uint32_t blueMask = 0;
    uint32_t alphaMask = 0;
};

// Per channel: bits lost from the 8-bit sample and the position of the channel in the pixel.
struct ChannelShifts {
    int32_t bytesPerPixel = 0;
    uint32_t redMask = 0;
    int32_t redLoss = 0;
    int32_t redShift = 0;
    uint32_t greenMask = 0;
    int32_t greenLoss = 0;
    int32_t greenShift = 0;
    uint32_t blueMask = 0;
    int32_t blueLoss = 0;
    int32_t blueShift = 0;
    uint32_t alphaMask = 0;
};

// How Present turns the frame into the surface: 0 none (the surface is the 32-bit frame layout),
// 1 packed 24-bit, 2 RGB 565, 3 RGB 555, 4 by channel masks.
enum class ConversionMode : int32_t { None = 0, Packed24 = 1, Rgb565 = 2, Rgb555 = 3, Masked = 4 };

ConversionMode ChooseConversionMode(const PixelFormatMasks& format);

// Loss is 8 minus the mask's width (negative for channels wider than 8 bits, which are then
// widened); shift is the mask's lowest set bit (0 for an empty mask).
ChannelShifts ComputeChannelShifts(const PixelFormatMasks& format);

void ConvertRowTo888(const uint8_t* src, int32_t srcStep, uint8_t* dst, int32_t dstStep,
                     int32_t width, int32_t height);
void ConvertRowTo565(const uint8_t* src, int32_t srcStep, uint8_t* dst, int32_t dstStep,
                     int32_t width, int32_t height);
void ConvertRowTo555(const uint8_t* src, int32_t srcStep, uint8_t* dst, int32_t dstStep,
                     int32_t width, int32_t height);
// Stored as 2, 3 (low byte first) or 4 bytes by the shifts' bytes per pixel; other sizes write
// nothing.
void ConvertRowMasked(const ChannelShifts& shifts, const uint8_t* src, int32_t srcStep,
                      uint8_t* dst, int32_t dstStep, int32_t width, int32_t height);

// Converts by mode; mode None copies the rows. False for a mode it cannot serve.
bool ConvertFrame(ConversionMode mode, const ChannelShifts& shifts, const uint8_t* src,
                  int32_t srcStep, uint8_t* dst, int32_t dstStep, int32_t width, int32_t height);

// Blue, green, red of each 32-bit pixel packed into three bytes; same row order.
void ConvertRows32To24(const uint8_t* src, uint8_t* dst, int32_t width, int32_t height,
                       int32_t srcStep, int32_t dstStep);

// A locked surface as the read-back sees it.
struct LockedSurface {
    const uint8_t* pixels = nullptr;
    int32_t pitch = 0;
    int32_t bitsPerPixel = 0;
    uint32_t greenMask = 0;  // 0x7E0 tells 565 from 555
};

// The top-left width x height pixels of a 16- or 24-bit surface as 32-bit pixels with alpha
// 0xFF. False, and nothing written, for other depths.
bool ReadBackSurface(const LockedSurface& surface, uint8_t* dst, int32_t dstStep, int32_t width,
                     int32_t height);
