#include "framework/gfx/FrameConversion.h"

#include <cstring>

namespace {

void Store16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

// Runs `body(srcRow, dstRow)` over every row; nothing for empty sizes or missing blocks.
template <class Body>
void ForEachRow(const uint8_t* src, int32_t srcStep, uint8_t* dst, int32_t dstStep, int32_t width,
                int32_t height, Body&& body) {
    if (!src || !dst || width <= 0 || height <= 0) return;
    for (int32_t y = 0; y < height; ++y) {
        body(src + static_cast<int64_t>(y) * srcStep, dst + static_cast<int64_t>(y) * dstStep);
    }
}

int32_t ScaleChannel(uint32_t sample, int32_t loss, int32_t shift, uint32_t mask) {
    const uint32_t scaled = loss >= 0 ? sample >> loss : sample << -loss;
    return static_cast<int32_t>((scaled << shift) & mask);
}

void MaskInfo(uint32_t mask, int32_t& loss, int32_t& shift) {
    loss = 8;
    shift = 0;
    if (mask == 0) return;
    while ((mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    while (mask != 0) {
        mask >>= 1;
        --loss;
    }
}

}  // namespace

ConversionMode ChooseConversionMode(const PixelFormatMasks& f) {
    const bool rgb888 = f.redMask == 0xFF0000 && f.greenMask == 0xFF00 && f.blueMask == 0xFF;
    if (f.bitsPerPixel == 32 && rgb888) return ConversionMode::None;
    if (f.bitsPerPixel == 24 && rgb888) return ConversionMode::Packed24;
    if (f.bitsPerPixel == 16 && f.redMask == 0xF800 && f.greenMask == 0x7E0 && f.blueMask == 0x1F)
        return ConversionMode::Rgb565;
    if (f.bitsPerPixel == 16 && f.redMask == 0x7C00 && f.greenMask == 0x3E0 && f.blueMask == 0x1F)
        return ConversionMode::Rgb555;
    return ConversionMode::Masked;
}

ChannelShifts ComputeChannelShifts(const PixelFormatMasks& f) {
    ChannelShifts s;
    s.bytesPerPixel = f.bitsPerPixel / 8;
    s.redMask = f.redMask;
    s.greenMask = f.greenMask;
    s.blueMask = f.blueMask;
    s.alphaMask = f.alphaMask;
    MaskInfo(f.redMask, s.redLoss, s.redShift);
    MaskInfo(f.greenMask, s.greenLoss, s.greenShift);
    MaskInfo(f.blueMask, s.blueLoss, s.blueShift);
    return s;
}

void ConvertRowTo888(const uint8_t* src, int32_t srcStep, uint8_t* dst, int32_t dstStep,
                     int32_t width, int32_t height) {
    ForEachRow(src, srcStep, dst, dstStep, width, height, [width](const uint8_t* s, uint8_t* d) {
        for (int32_t x = 0; x < width; ++x, s += 4, d += 3) {
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
        }
    });
}

void ConvertRowTo565(const uint8_t* src, int32_t srcStep, uint8_t* dst, int32_t dstStep,
                     int32_t width, int32_t height) {
    ForEachRow(src, srcStep, dst, dstStep, width, height, [width](const uint8_t* s, uint8_t* d) {
        for (int32_t x = 0; x < width; ++x, s += 4, d += 2) {
            Store16(d, ((s[2] >> 3) << 11) | ((s[1] >> 2) << 5) | (s[0] >> 3));
        }
    });
}

void ConvertRowTo555(const uint8_t* src, int32_t srcStep, uint8_t* dst, int32_t dstStep,
                     int32_t width, int32_t height) {
    ForEachRow(src, srcStep, dst, dstStep, width, height, [width](const uint8_t* s, uint8_t* d) {
        for (int32_t x = 0; x < width; ++x, s += 4, d += 2) {
            Store16(d, ((s[2] >> 3) << 10) | ((s[1] >> 3) << 5) | (s[0] >> 3));
        }
    });
}

void ConvertRowMasked(const ChannelShifts& c, const uint8_t* src, int32_t srcStep, uint8_t* dst,
                      int32_t dstStep, int32_t width, int32_t height) {
    const int32_t bytes = c.bytesPerPixel;
    if (bytes < 2 || bytes > 4) return;
    ForEachRow(src, srcStep, dst, dstStep, width, height, [&](const uint8_t* s, uint8_t* d) {
        for (int32_t x = 0; x < width; ++x, s += 4, d += bytes) {
            const uint32_t v = static_cast<uint32_t>(ScaleChannel(s[2], c.redLoss, c.redShift, c.redMask)) |
                               static_cast<uint32_t>(ScaleChannel(s[1], c.greenLoss, c.greenShift, c.greenMask)) |
                               static_cast<uint32_t>(ScaleChannel(s[0], c.blueLoss, c.blueShift, c.blueMask)) |
                               c.alphaMask;
            for (int32_t b = 0; b < bytes; ++b) d[b] = static_cast<uint8_t>(v >> (8 * b));
        }
    });
}

bool ConvertFrame(ConversionMode mode, const ChannelShifts& shifts, const uint8_t* src,
                  int32_t srcStep, uint8_t* dst, int32_t dstStep, int32_t width, int32_t height) {
    switch (mode) {
        case ConversionMode::None:
            ForEachRow(src, srcStep, dst, dstStep, width, height,
                       [width](const uint8_t* s, uint8_t* d) { std::memcpy(d, s, static_cast<size_t>(width) * 4); });
            return true;
        case ConversionMode::Packed24:
            ConvertRowTo888(src, srcStep, dst, dstStep, width, height);
            return true;
        case ConversionMode::Rgb565:
            ConvertRowTo565(src, srcStep, dst, dstStep, width, height);
            return true;
        case ConversionMode::Rgb555:
            ConvertRowTo555(src, srcStep, dst, dstStep, width, height);
            return true;
        case ConversionMode::Masked:
            if (shifts.bytesPerPixel < 2 || shifts.bytesPerPixel > 4) return false;
            ConvertRowMasked(shifts, src, srcStep, dst, dstStep, width, height);
            return true;
    }
    return false;
}

void ConvertRows32To24(const uint8_t* src, uint8_t* dst, int32_t width, int32_t height,
                       int32_t srcStep, int32_t dstStep) {
    ConvertRowTo888(src, srcStep, dst, dstStep, width, height);
}

bool ReadBackSurface(const LockedSurface& surface, uint8_t* dst, int32_t dstStep, int32_t width,
                     int32_t height) {
    const int32_t bits = surface.bitsPerPixel;
    if (bits != 16 && bits != 24) return false;
    const bool is565 = surface.greenMask == 0x7E0;
    ForEachRow(surface.pixels, surface.pitch, dst, dstStep, width, height,
               [&](const uint8_t* s, uint8_t* d) {
                   for (int32_t x = 0; x < width; ++x, d += 4) {
                       if (bits == 24) {
                           d[0] = s[0];
                           d[1] = s[1];
                           d[2] = s[2];
                           s += 3;
                       } else {
                           const uint32_t p = static_cast<uint32_t>(s[0]) | (static_cast<uint32_t>(s[1]) << 8);
                           s += 2;
                           d[2] = static_cast<uint8_t>(is565 ? (p >> 8) & 0xF8 : (p >> 7) & 0xF8);
                           d[1] = static_cast<uint8_t>(is565 ? (p >> 3) & 0xFC : (p >> 2) & 0xF8);
                           d[0] = static_cast<uint8_t>((p & 0x1F) << 3);
                       }
                       d[3] = 0xFF;
                   }
               });
    return true;
}
