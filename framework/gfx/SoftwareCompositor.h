#pragma once

#include <cstdint>

#include "framework/gfx/Rect.h"

// The software path's drawing: an image's premultiplied top-down 32-bit copy composited into a
// 32-bit top-down target (the 800x600 frame, or an image being composed into), and the frame's
// two rectangle operations. Everything is clipped to the target's real size and to the source.

struct PixelTarget {
    uint8_t* pixels = nullptr;
    int32_t pitch = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// The part `area` of the target (inside it) as a target of its own, whose pixel (0, 0) is the
// area's top-left corner: what is drawn into it at a position moved by the area's corner comes
// out exactly as drawn into the whole target, limited to the area. Empty for an empty area.
PixelTarget SubTarget(const PixelTarget& target, const Rect& area);

// An image's software copy and what decides how it is composited.
struct SoftwareCopy {
    const uint8_t* pixels = nullptr;
    int32_t step = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool hasAlpha = false;  // made from a 32-bit image
    bool keyed = false;     // made from a 24-bit image with a colour key
};

// Draws `source` (picture coordinates, top-down) of the copy at x, y, scaled by percent, with a
// constant alpha 0..255 (0 draws nothing). Scaling samples nearest neighbours.
void BlitSoftware(const SoftwareCopy& copy, int32_t x, int32_t y, const Rect& source,
                  int32_t scaleX, int32_t scaleY, int32_t alpha, const PixelTarget& target);

// Colour bytes of `rect` (null: the whole target) set to the COLORREF; alpha bytes kept.
void FillTargetRect(const PixelTarget& target, const Rect* rect, uint32_t colorref);

// Colour bytes of `rect` blended towards the COLORREF by alpha (clamped to 0..255). The rect is
// clipped to the target in place.
void BlendTargetRect(const PixelTarget& target, Rect& rect, int32_t alpha, uint32_t colorref);
