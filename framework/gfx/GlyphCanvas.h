#pragma once
// What a bitmap font draws its glyphs on: a widget, whose coordinates the positions are
// relative to, or a recorder in tests. Scales are percent, alpha 0..255.
#include <cstdint>

#include "framework/gfx/Rect.h"

class GlyphCanvas {
 public:
  virtual ~GlyphCanvas() = default;

  virtual void DrawGlyph(int32_t x, int32_t y, int32_t imageId, const Rect& source, int32_t scaleX,
                         int32_t scaleY, int32_t alpha) = 0;
  // The same with `colourKey` (COLORREF) as the glyph image's transparent colour.
  virtual void DrawGlyphKeyed(int32_t x, int32_t y, int32_t imageId, uint32_t colourKey,
                              const Rect& source, int32_t scaleX, int32_t scaleY,
                              int32_t alpha) = 0;
};
