#pragma once
// A glyph canvas that keeps every draw call for inspection.
#include <cstdint>
#include <vector>

#include "framework/gfx/GlyphCanvas.h"

struct GlyphDraw {
  int32_t x, y, imageId;
  bool keyed;
  uint32_t colourKey;
  Rect source;
  int32_t scaleX, scaleY, alpha;
};

class RecordingCanvas : public GlyphCanvas {
 public:
  std::vector<GlyphDraw> draws;

  void DrawGlyph(int32_t x, int32_t y, int32_t imageId, const Rect& source, int32_t scaleX,
                 int32_t scaleY, int32_t alpha) override {
    draws.push_back(GlyphDraw{x, y, imageId, false, 0, source, scaleX, scaleY, alpha});
  }
  void DrawGlyphKeyed(int32_t x, int32_t y, int32_t imageId, uint32_t colourKey, const Rect& source,
                      int32_t scaleX, int32_t scaleY, int32_t alpha) override {
    draws.push_back(GlyphDraw{x, y, imageId, true, colourKey, source, scaleX, scaleY, alpha});
  }

  // The x positions of the draws, in order.
  std::vector<int32_t> Xs() const {
    std::vector<int32_t> xs;
    for (const GlyphDraw& d : draws) xs.push_back(d.x);
    return xs;
  }
};
