#pragma once

#include <cstdint>

#include "framework/gfx/Rect.h"

class Image;

// Drawing an image into the frame on whichever path the display device uses, or into another
// image. Sources are picture rectangles (top-down); scales are percent; alpha 0..255.

// The prepared form of the current path: texture tiles on the accelerated path, the software
// copy otherwise. False when it cannot be made.
bool EnsureImagePrepared(Image& image);

// Cuts the picture into power-of-two tiles within the device's texture limits. The software
// copy, if any, is kept: images composed into others still need it.
bool CreateImageTextures(Image& image);

// False for an empty image or when the prepared form cannot be made or drawn; a failed texture
// draw drops the tiles, so the next draw makes them again. The caller sets blending.
bool DrawImageToFrame(Image& image, int32_t x, int32_t y, const Rect& source, int32_t scaleX,
                      int32_t scaleY, int32_t alpha);

// Composites the source's software copy into the target's rows (a 32-bit image, put into the
// drawing-into state when it is not), clipped to the target. False for an empty source or
// target or a source without a software copy.
bool DrawImageInto(const Image& source, Image& target, int32_t x, int32_t y, const Rect& from,
                   int32_t scaleX, int32_t scaleY, int32_t alpha);
