#pragma once
// The metrics text of a bitmap font, the one reader of its "H:", "S:" and "K:" lines; the font,
// and the tools that bake or check fonts, go through it. Malformed texts never overflow: lines
// out of place are ignored and counted, sizes are clamped.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "framework/gfx/GlyphTable.h"

class String;

struct FontMetrics {
  int32_t rowHeight = 0;       // of one run's row in the glyph image
  int32_t baselineOffset = 0;  // from the baseline up to the top of the glyph cell
  int32_t extraSpacing = 0;    // added to every glyph's advance
  int32_t spaceWidth = 0;
  std::unique_ptr<GlyphTable> glyphs;  // none until an "H:" line
  int headerLines = 0;
  int ignoredLines = 0;  // "S:"/"K:" lines out of place or malformed, and extra "H:" lines

  // One line; the first character selects its kind, fields are comma-separated numbers from
  // the third character on (decimal, or hexadecimal after an "x").
  void ParseLine(const String& line);
  // A whole text: lines end at CR, LF or NUL.
  void ParseText(const char* text, size_t length);
};
