#pragma once

#include <cstdint>
#include <memory>

#include "framework/gfx/FrameSize.h"
#include "framework/gfx/Rect.h"
#include "framework/gfx/RenderBackend.h"
#include "framework/gfx/SoftwareCompositor.h"

// What image drawing needs to know of the display device, published by the device whenever it
// is made or released: the renderer of the accelerated path (none on the software path), its
// texture limits and formats, and the software path's frame.
struct ImageDrawContext {
    std::shared_ptr<RenderBackend> backend;  // null: the software path
    int32_t minTextureWidth = 32;
    int32_t minTextureHeight = 32;
    int32_t maxTextureWidth = 512;
    int32_t maxTextureHeight = 512;
    bool squareOnly = false;
    RenderBackend::Formats formats;
    PixelTarget frame;  // the 800x600 software frame
    // The part of the software frame that drawing into it may change now: all of it, unless the
    // frame being drawn is drawn anew only in part.
    Rect frameClip{0, 0, kFrameWidth, kFrameHeight};
};

ImageDrawContext& CurrentImageDrawContext();
