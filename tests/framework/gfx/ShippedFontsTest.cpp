// Every font the game ships: its metrics read cleanly and every glyph lies inside its sheet.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "framework/gfx/FontMetrics.h"

namespace fs = std::filesystem;

namespace {

std::vector<char> ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(file), {});
}

// "151-font-menu-button.txt" -> "font-menu-button".
std::string Slug(const fs::path& path) {
  std::string stem = path.stem().string();
  size_t dash = stem.find('-');
  return dash == std::string::npos ? stem : stem.substr(dash + 1);
}

uint32_t BigEndian32(const std::vector<char>& b, size_t at) {
  return (uint32_t(uint8_t(b[at])) << 24) | (uint32_t(uint8_t(b[at + 1])) << 16) |
         (uint32_t(uint8_t(b[at + 2])) << 8) | uint32_t(uint8_t(b[at + 3]));
}

}  // namespace

TEST(ShippedFonts, MetricsAreCleanAndFitTheirGlyphSheets) {
  fs::path pack = fs::path(QM_SOURCE_DIR) / "assets/pack";
  if (!fs::exists(pack / "TXT")) GTEST_SKIP() << "no font assets in this checkout";
  std::map<std::string, fs::path> sheets;
  for (const auto& entry : fs::directory_iterator(pack / "PNG"))
    if (Slug(entry.path()).rfind("font-", 0) == 0) sheets[Slug(entry.path())] = entry.path();

  int fonts = 0;
  for (const auto& entry : fs::directory_iterator(pack / "TXT")) {
    std::string slug = Slug(entry.path());
    if (slug.rfind("font-", 0) != 0) continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++fonts;
    std::vector<char> text = ReadAll(entry.path());
    FontMetrics metrics;
    metrics.ParseText(text.data(), text.size());
    EXPECT_EQ(metrics.headerLines, 1);
    EXPECT_EQ(metrics.ignoredLines, 0);
    ASSERT_TRUE(metrics.glyphs);
    const GlyphTable& glyphs = *metrics.glyphs;
    EXPECT_EQ(glyphs.RunCount(), glyphs.AnnouncedRuns());

    auto sheet = sheets.find(slug);
    ASSERT_NE(sheet, sheets.end()) << "no glyph sheet";
    std::vector<char> png = ReadAll(sheet->second);
    ASSERT_GE(png.size(), 24u);
    uint32_t width = BigEndian32(png, 16);
    uint32_t height = BigEndian32(png, 20);
    EXPECT_LE(uint32_t(metrics.rowHeight * glyphs.RunCount()), height);
    for (int r = 0; r < glyphs.RunCount(); ++r) {
      const GlyphRange& run = glyphs.Run(r);
      EXPECT_LE(uint32_t(run.xOffsets.back() + run.widths.back()), width) << "run " << r;
    }
  }
  EXPECT_GT(fonts, 0);
}
