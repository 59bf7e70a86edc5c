#pragma once
// Where each glyph of a bitmap font lies: runs of consecutive character codes, one run per row
// of the glyph image, each glyph with its left edge, width and kerning pairs.
#include <cstddef>
#include <cstdint>
#include <vector>

struct KerningPair {
  uint16_t second = 0;
  int32_t adjustment = 0;  // added to the first character's advance when `second` follows
};

struct GlyphRange {
  uint16_t firstCode = 0;
  std::vector<int32_t> xOffsets;  // left edge of each glyph in its row
  std::vector<int32_t> widths;
  std::vector<std::vector<KerningPair>> kerning;  // per glyph, in the order given

  int Count() const { return int(widths.size()); }
  bool Holds(int c) const { return c >= firstCode && c < firstCode + Count(); }
};

struct GlyphHit {
  int run = 0;
  int32_t xOffset = 0;
  int32_t width = 0;
  int32_t kerning = 0;
};

class GlyphTable {
 public:
  // Bounds that keep a malformed metrics text from asking for absurd amounts: a run holds at
  // most 255 glyphs, a table at most 256 runs, and sizes stay within +-kMaxSize pixels.
  static constexpr int kMaxGlyphsPerRun = 255;
  static constexpr int kMaxRuns = 256;
  static constexpr int32_t kMaxSize = 4096;

  explicit GlyphTable(int announcedRuns);

  // A run from the fields of an "S:" line: first code, then one width per glyph. Answers false
  // when the line is ignored (no widths, or the table is full); widths beyond 255 are dropped.
  bool ParseRange(const std::vector<int32_t>& fields);
  // Pairs from the fields of a "K:" line: first character, then (second, adjustment) pairs.
  // Answers false when no run holds the first character or there is no whole pair.
  bool ParseKerning(const std::vector<int32_t>& fields);

  // The first run holding `c`, with the kerning against `next` (none before 0 or a space).
  bool Lookup(int c, int next, GlyphHit& hit) const;
  bool HasGlyph(int c) const;

  int AnnouncedRuns() const { return announcedRuns_; }
  int RunCount() const { return int(runs_.size()); }
  const GlyphRange& Run(int index) const { return runs_[size_t(index)]; }

 private:
  int announcedRuns_;
  std::vector<GlyphRange> runs_;
};
