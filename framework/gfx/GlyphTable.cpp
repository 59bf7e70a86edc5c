#include "framework/gfx/GlyphTable.h"

#include <algorithm>

namespace {

int32_t ClampSize(int32_t value, int32_t low) {
  return std::clamp(value, low, GlyphTable::kMaxSize);
}

}  // namespace

GlyphTable::GlyphTable(int announcedRuns) : announcedRuns_(std::clamp(announcedRuns, 0, kMaxRuns)) {
  runs_.reserve(size_t(announcedRuns_));
}

bool GlyphTable::ParseRange(const std::vector<int32_t>& fields) {
  // More runs than announced are kept while they fit: their rows may well be in the image.
  if (fields.size() < 2 || RunCount() >= kMaxRuns) return false;
  GlyphRange range;
  range.firstCode = uint16_t(fields[0]);
  size_t count = std::min(fields.size() - 1, size_t(kMaxGlyphsPerRun));
  int32_t x = 0;
  for (size_t i = 0; i < count; ++i) {
    int32_t width = ClampSize(fields[i + 1], 0);
    range.xOffsets.push_back(x);
    range.widths.push_back(width);
    x += width;  // at most 255 * 4096: no overflow
  }
  range.kerning.resize(count);
  runs_.push_back(std::move(range));
  return fields.size() - 1 <= size_t(kMaxGlyphsPerRun);
}

bool GlyphTable::ParseKerning(const std::vector<int32_t>& fields) {
  if (fields.size() < 3) return false;
  int first = uint16_t(fields[0]);
  auto run = std::find_if(runs_.begin(), runs_.end(), [first](const GlyphRange& r) { return r.Holds(first); });
  if (run == runs_.end()) return false;
  auto& pairs = run->kerning[size_t(first - run->firstCode)];
  for (size_t i = 1; i + 1 < fields.size(); i += 2)
    pairs.push_back(KerningPair{uint16_t(fields[i]), ClampSize(fields[i + 1], -kMaxSize)});
  return fields.size() % 2 == 1;
}

bool GlyphTable::Lookup(int c, int next, GlyphHit& hit) const {
  for (size_t r = 0; r < runs_.size(); ++r) {
    const GlyphRange& range = runs_[r];
    if (!range.Holds(c)) continue;
    size_t i = size_t(c - range.firstCode);
    hit.run = int(r);
    hit.xOffset = range.xOffsets[i];
    hit.width = range.widths[i];
    hit.kerning = 0;
    if (next != 0 && next != ' ') {
      for (const KerningPair& pair : range.kerning[i]) {
        if (pair.second == next) {
          hit.kerning = pair.adjustment;
          break;
        }
      }
    }
    return true;
  }
  return false;
}

bool GlyphTable::HasGlyph(int c) const {
  return std::any_of(runs_.begin(), runs_.end(), [c](const GlyphRange& r) { return r.Holds(c); });
}
