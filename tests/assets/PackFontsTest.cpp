// Every bitmap font as packed: its metrics text parses cleanly, covers the characters the
// game prints, and its glyph sheet holds every run the metrics place on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "framework/gfx/BitmapFont.h"
#include "framework/gfx/Image.h"
#include "game/front/MenuStripButton.h"
#include "tests/assets/BuiltPack.h"

namespace {

struct FontIds {
  int32_t glyphs;
  int32_t metrics;
  bool latin1;  // shows player names
};

const FontIds kFonts[] = {
    {152, 151, false}, {154, 155, false}, {160, 159, false}, {163, 162, false}, {165, 164, false},
    {199, 200, false}, {201, 198, false}, {203, 202, false}, {208, 207, false}, {210, 211, false},
    {213, 212, false}, {217, 216, false}, {258, 259, false}, {284, 283, false}, {286, 285, true},
    {290, 289, true},  {296, 295, true},  {302, 303, false}, {307, 306, false}, {311, 308, false},
    {366, 365, false}, {374, 373, false},
};

}  // namespace

TEST(PackFonts, MetricsParseCleanly) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  for (const FontIds& ids : kFonts) {
    BitmapFont font;
    ASSERT_TRUE(font.Load(ids.glyphs, ids.metrics, BuiltPack())) << "metrics " << ids.metrics;
    const FontMetrics& metrics = font.Metrics();
    EXPECT_EQ(metrics.headerLines, 1) << "metrics " << ids.metrics;
    EXPECT_EQ(metrics.ignoredLines, 0) << "metrics " << ids.metrics;
    ASSERT_NE(metrics.glyphs, nullptr) << "metrics " << ids.metrics;
    EXPECT_EQ(metrics.glyphs->RunCount(), metrics.glyphs->AnnouncedRuns()) << "metrics " << ids.metrics;
    EXPECT_GT(metrics.rowHeight, 0) << "metrics " << ids.metrics;
    EXPECT_GT(metrics.spaceWidth, 0) << "metrics " << ids.metrics;
    EXPECT_GT(metrics.baselineOffset, 0) << "metrics " << ids.metrics;
    EXPECT_LE(metrics.baselineOffset, metrics.rowHeight) << "metrics " << ids.metrics;
  }
}

TEST(PackFonts, CoverThePrintedCharacters) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  for (const FontIds& ids : kFonts) {
    BitmapFont font;
    ASSERT_TRUE(font.Load(ids.glyphs, ids.metrics, BuiltPack())) << "metrics " << ids.metrics;
    for (int c = 0x21; c <= 0x7E; ++c) {
      EXPECT_TRUE(font.HasGlyph(c)) << "metrics " << ids.metrics << " lacks " << c;
      EXPECT_GT(font.TextWidth(std::string(1, char(c)).c_str()), 0) << "metrics " << ids.metrics << " char " << c;
    }
    if (!ids.latin1) continue;
    for (int c = 0xA0; c <= 0xFF; ++c)
      EXPECT_TRUE(font.HasGlyph(c)) << "metrics " << ids.metrics << " lacks " << c;
  }
}

TEST(PackFonts, GlyphSheetsHoldEveryRun) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  for (const FontIds& ids : kFonts) {
    BitmapFont font;
    ASSERT_TRUE(font.Load(ids.glyphs, ids.metrics, BuiltPack())) << "metrics " << ids.metrics;
    const FontMetrics& metrics = font.Metrics();
    ASSERT_NE(metrics.glyphs, nullptr) << "metrics " << ids.metrics;
    Image sheet;
    ASSERT_TRUE(sheet.LoadFromResource(uint32_t(ids.glyphs), BuiltPack())) << "glyph sheet " << ids.glyphs;
    // Run r lies in rows r * rowHeight onwards, its glyphs side by side from x 0.
    const GlyphTable& table = *metrics.glyphs;
    EXPECT_GE(sheet.height, metrics.rowHeight * table.RunCount()) << "glyph sheet " << ids.glyphs;
    for (int r = 0; r < table.RunCount(); ++r) {
      const GlyphRange& run = table.Run(r);
      ASSERT_GT(run.Count(), 0);
      int32_t right = run.xOffsets.back() + run.widths.back();
      EXPECT_LE(right, sheet.width) << "glyph sheet " << ids.glyphs << " run " << r;
    }
    EXPECT_EQ(sheet.bitsPerPixel, 32) << "glyph sheet " << ids.glyphs << " needs alpha";
  }
}

// The main-menu strip swaps its font on hover: both must measure every text alike.
TEST(PackFonts, HoverStripSharesItsMetrics) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  ResourceModule::Bytes normal = BuiltPack()->Find(kTextType, MenuStripButton::kFontMetrics);
  ResourceModule::Bytes hover = BuiltPack()->Find(kTextType, MenuStripButton::kHoverFontMetrics);
  ASSERT_FALSE(normal.empty());
  EXPECT_TRUE(std::equal(normal.begin(), normal.end(), hover.begin(), hover.end()));
}
