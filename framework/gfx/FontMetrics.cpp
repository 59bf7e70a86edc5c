#include "framework/gfx/FontMetrics.h"

#include <algorithm>
#include <vector>

#include "framework/core/String.h"

namespace {

std::vector<int32_t> Fields(const String& line) {
  std::vector<int32_t> fields;
  int position = std::min(2, line.Length());
  while (position < line.Length()) fields.push_back(line.Tokenize(',', &position).ToInt());
  return fields;
}

}  // namespace

void FontMetrics::ParseLine(const String& line) {
  if (line.IsEmpty()) return;
  char kind = line[0];
  if (kind != 'H' && kind != 'S' && kind != 'K') return;
  std::vector<int32_t> fields = Fields(line);
  if (kind == 'H') {
    fields.resize(std::max<size_t>(fields.size(), 5), 0);
    // A second header starts the font over; the first table is released with it.
    if (++headerLines > 1) ++ignoredLines;
    rowHeight = std::clamp(fields[0], 0, GlyphTable::kMaxSize);
    baselineOffset = std::clamp(fields[1], -GlyphTable::kMaxSize, GlyphTable::kMaxSize);
    extraSpacing = std::clamp(fields[2], -GlyphTable::kMaxSize, GlyphTable::kMaxSize);
    spaceWidth = std::clamp(fields[3], 0, GlyphTable::kMaxSize);
    glyphs = std::make_unique<GlyphTable>(fields[4]);
    return;
  }
  bool taken = false;
  if (glyphs) taken = kind == 'S' ? glyphs->ParseRange(fields) : glyphs->ParseKerning(fields);
  if (!taken) ++ignoredLines;
}

void FontMetrics::ParseText(const char* text, size_t length) {
  if (text == nullptr) return;
  size_t start = 0;
  while (start < length) {
    size_t end = start;
    while (end < length && text[end] != '\r' && text[end] != '\n' && text[end] != '\0') ++end;
    if (end > start) {
      String line;
      line.Assign(text + start, int(std::min(end - start, size_t(1) << 30)));
      ParseLine(line);
    }
    start = end + 1;
  }
}
