#include "framework/gfx/FontMetrics.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/core/String.h"

namespace {

FontMetrics Parse(const std::string& text) {
  FontMetrics m;
  m.ParseText(text.data(), text.size());
  return m;
}

}  // namespace

TEST(FontMetrics, ReadsHeaderRunsAndKerningInHexAndDecimal) {
  FontMetrics m = Parse(
      "H:14,18,-2,10,2\r\n"
      "S:0x2c,3,3,3,6\r\n"
      "# a comment line\n"
      "S:97,7,8,9\n"
      "K:0x61,0x62,-1,99,2\n"
      "K:0x61,0x63,3\n");
  EXPECT_EQ(m.rowHeight, 14);
  EXPECT_EQ(m.baselineOffset, 18);
  EXPECT_EQ(m.extraSpacing, -2);
  EXPECT_EQ(m.spaceWidth, 10);
  ASSERT_TRUE(m.glyphs);
  EXPECT_EQ(m.glyphs->AnnouncedRuns(), 2);
  ASSERT_EQ(m.glyphs->RunCount(), 2);
  const GlyphRange& digits = m.glyphs->Run(0);
  EXPECT_EQ(digits.firstCode, 0x2c);
  EXPECT_EQ(digits.xOffsets, (std::vector<int32_t>{0, 3, 6, 9}));
  const GlyphRange& letters = m.glyphs->Run(1);
  EXPECT_EQ(letters.firstCode, 'a');
  EXPECT_EQ(letters.xOffsets, (std::vector<int32_t>{0, 7, 15}));
  ASSERT_EQ(letters.kerning[0].size(), 3u);  // the second line's pair is appended
  EXPECT_EQ(letters.kerning[0][1].second, 'c');
  EXPECT_EQ(letters.kerning[0][1].adjustment, 2);
  EXPECT_EQ(letters.kerning[0][2].adjustment, 3);
  EXPECT_EQ(m.ignoredLines, 0);

  GlyphHit hit;
  ASSERT_TRUE(m.glyphs->Lookup('b', 'x', hit));
  EXPECT_EQ(hit.run, 1);
  EXPECT_EQ(hit.xOffset, 7);
  EXPECT_EQ(hit.width, 8);
  ASSERT_TRUE(m.glyphs->Lookup('a', 'c', hit));
  EXPECT_EQ(hit.kerning, 2);  // the first matching pair
  ASSERT_TRUE(m.glyphs->Lookup('a', 'b', hit));
  EXPECT_EQ(hit.kerning, -1);
  ASSERT_TRUE(m.glyphs->Lookup('a', ' ', hit));
  EXPECT_EQ(hit.kerning, 0);
  EXPECT_FALSE(m.glyphs->Lookup('d', 0, hit));
  EXPECT_FALSE(m.glyphs->HasGlyph(0x2b));
  EXPECT_TRUE(m.glyphs->HasGlyph(0x2f));
}

TEST(FontMetrics, OverlappingRunsAnswerInTableOrder) {
  FontMetrics m = Parse("H:10,8,0,4,2\nS:0x41,5,5,5\nS:0x40,9,9,9,9\n");
  GlyphHit hit;
  ASSERT_TRUE(m.glyphs->Lookup(0x42, 0, hit));
  EXPECT_EQ(hit.run, 0);
  ASSERT_TRUE(m.glyphs->Lookup(0x40, 0, hit));
  EXPECT_EQ(hit.run, 1);
}

TEST(FontMetrics, MalformedTextsAreIgnoredOrClampedNeverOverrun) {
  // Runs and kerning before any header have nowhere to go.
  FontMetrics early = Parse("S:0x41,5,5\nK:0x41,0x42,1\n");
  EXPECT_FALSE(early.glyphs);
  EXPECT_EQ(early.ignoredLines, 2);

  // More runs than announced are kept; a run of 300 widths keeps 255.
  std::string wide = "H:10,8,0,4,1\nS:0x41,5\nS:0x50,6\nS:0";
  for (int i = 0; i < 300; ++i) wide += ",2";
  FontMetrics grown = Parse(wide);
  ASSERT_EQ(grown.glyphs->RunCount(), 3);
  EXPECT_EQ(grown.glyphs->Run(2).Count(), 255);
  EXPECT_EQ(grown.glyphs->Run(2).xOffsets.back(), 254 * 2);
  EXPECT_EQ(grown.ignoredLines, 1);

  // A second header starts over with a fresh table.
  FontMetrics twice = Parse("H:10,8,0,4,1\nS:0x41,5\nH:12,9,1,3,1\nS:0x61,6\n");
  EXPECT_EQ(twice.rowHeight, 12);
  EXPECT_FALSE(twice.glyphs->HasGlyph(0x41));
  EXPECT_TRUE(twice.glyphs->HasGlyph(0x61));
  EXPECT_EQ(twice.headerLines, 2);

  // Negative and enormous sizes are clamped; a negative run count still takes runs.
  FontMetrics negative = Parse("H:-5,-99999,-99999,-3,-7\nS:0x41,-4,99999\nK:0x41,0x42,-99999\n");
  EXPECT_EQ(negative.rowHeight, 0);
  EXPECT_EQ(negative.baselineOffset, -GlyphTable::kMaxSize);
  EXPECT_EQ(negative.extraSpacing, -GlyphTable::kMaxSize);
  EXPECT_EQ(negative.spaceWidth, 0);
  EXPECT_EQ(negative.glyphs->AnnouncedRuns(), 0);
  ASSERT_EQ(negative.glyphs->RunCount(), 1);
  EXPECT_EQ(negative.glyphs->Run(0).widths, (std::vector<int32_t>{0, GlyphTable::kMaxSize}));
  EXPECT_EQ(negative.glyphs->Run(0).kerning[0][0].adjustment, -GlyphTable::kMaxSize);

  // Short and odd lines: a header with missing fields, a run with no widths, kerning for a
  // character in no run, a dangling kerning field, bare kind letters.
  FontMetrics odd = Parse("H:10\nS:0x41\nS:0x41,3\nK:0x7a,0x41,1\nK:0x41,0x42,1,0x43\nK\nS\nH");
  EXPECT_EQ(odd.rowHeight, 0);  // the last, bare header wins
  EXPECT_EQ(odd.glyphs->RunCount(), 0);
  EXPECT_EQ(odd.ignoredLines, 6);

  // The table never holds more than 256 runs.
  std::string many = "H:1,1,0,1,1\n";
  for (int i = 0; i < 300; ++i) many += "S:0x41,1\n";
  EXPECT_EQ(Parse(many).glyphs->RunCount(), GlyphTable::kMaxRuns);
}

TEST(FontMetrics, LinesEndAtCrLfOrNul) {
  const char raw[] = "H:1,2,3,4,1\0S:0x41,5\r\rK:0x41,0x41,2";
  std::string text(raw, sizeof raw - 1);
  FontMetrics m = Parse(text);
  ASSERT_TRUE(m.glyphs);
  EXPECT_EQ(m.spaceWidth, 4);
  GlyphHit hit;
  ASSERT_TRUE(m.glyphs->Lookup(0x41, 0x41, hit));
  EXPECT_EQ(hit.kerning, 2);

  FontMetrics single;
  single.ParseLine(String("S:0x41,5"));
  single.ParseLine(String("H:1,2,3,4,1"));
  single.ParseLine(String("S:0x41,5"));
  EXPECT_EQ(single.glyphs->RunCount(), 1);
  single.ParseText(nullptr, 10);
}
