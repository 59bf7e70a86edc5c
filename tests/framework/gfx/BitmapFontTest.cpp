#include "framework/gfx/BitmapFont.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "framework/core/String.h"
#include "tests/framework/gfx/RecordingCanvas.h"

namespace {

// Row 0: "," to "9"; row 1: "a" to "z", all 7 wide except "i" (3) and "m" (11).
constexpr char kMetrics[] =
    "H:14,18,0,10,2\n"
    "S:0x2c,3,3,3,6,7,6,7,7,7,7,7,7,7,5\n"
    "S:0x61,7,7,7,7,7,7,7,7,3,7,7,7,11,7,7,7,7,7,7,7,7,7,7,7,7,7\n"
    "K:0x6f,0x77,-1\n"
    "K:0x62,0x72,1\n";

class BitmapFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resources.Add(kTextType, 57, std::string_view(kMetrics));
    ASSERT_TRUE(font.Load(58, 57, &resources));
  }

  MemoryResources resources;
  BitmapFont font;
  RecordingCanvas canvas;
};

}  // namespace

TEST_F(BitmapFontTest, AdvancesFollowWidthsKerningAndSpaces) {
  EXPECT_EQ(font.TextWidth(""), 0);
  EXPECT_EQ(font.TextWidth("a"), 7);
  EXPECT_EQ(font.TextWidth("ow"), 6 + 7);
  EXPECT_EQ(font.TextWidth("o "), 7 + 10);  // no kerning before a space
  EXPECT_EQ(font.TextWidth("br"), 8 + 7);
  EXPECT_EQ(font.TextWidth("aXa"), 14);  // no glyph: advance 0
  EXPECT_EQ(font.TextWidth(nullptr), 0);

  int count = -1;
  const int32_t* advances = font.CharAdvances("bro w\t", &count);
  ASSERT_EQ(count, 6);
  EXPECT_EQ(std::vector<int32_t>(advances, advances + 6), (std::vector<int32_t>{8, 7, 7, 10, 7, 0}));
  const int32_t* again = font.CharAdvances("ab", &count);
  EXPECT_EQ(again, advances);  // a shorter text reuses the buffer
  EXPECT_EQ(count, 2);
  EXPECT_NE(font.CharAdvances("", &count), nullptr);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(font.CharAdvances(std::string(2001, 'a').c_str(), &count), nullptr);
  EXPECT_EQ(count, 0);
  const int32_t* longest = font.CharAdvances(std::string(2000, 'm').c_str(), nullptr);
  ASSERT_NE(longest, nullptr);
  EXPECT_EQ(longest[1999], 11);
}

TEST_F(BitmapFontTest, ScalingRoundsEachAdvanceOnItsOwn) {
  EXPECT_EQ(font.TextWidth("a", 150), 11);   // 10.5 rounds up
  EXPECT_EQ(font.TextWidth("aa", 150), 22);  // not 21
  EXPECT_EQ(font.TextWidth("ow", 50), 3 + 4);
  EXPECT_EQ(font.TextWidth("a a", 100), 24);
}

TEST_F(BitmapFontTest, GlyphPresenceAndStripping) {
  EXPECT_TRUE(font.HasGlyph(' '));
  EXPECT_TRUE(font.HasGlyph(','));
  EXPECT_TRUE(font.HasGlyph('9'));
  EXPECT_FALSE(font.HasGlyph(':'));
  EXPECT_FALSE(font.HasGlyph('A'));
  EXPECT_FALSE(font.HasGlyph(0xE9));
  String text("Caf\xE9 au lait, 12!");
  font.RemoveMissingChars(text);
  EXPECT_EQ(text, "af au lait, 12");
}

TEST_F(BitmapFontTest, TabsAdvanceToTheNextStopBeyondThePen) {
  EXPECT_EQ(font.TextWidth("\t"), 0);  // no stops
  const int32_t stops[] = {7, 120};
  font.SetTabStops(stops, 2);
  EXPECT_EQ(font.TextWidth("\t"), 7);
  EXPECT_EQ(font.TextWidth("a\t"), 120);  // a stop equal to the pen does not count
  EXPECT_EQ(font.TextWidth("a\ta\t"), 127);  // after the last stop a tab advances 0
  EXPECT_EQ(font.CountFitting("a\ta", 120), 2);
  // Scaled: the stop is compared with the scaled pen and its distance scaled again.
  EXPECT_EQ(font.TextWidth("a\t", 200), 14 + 2 * (120 - 14));

  int32_t twelve[12];
  for (int i = 0; i < 12; ++i) twelve[i] = (i + 1) * 10;
  font.SetTabStops(twelve, 12);
  EXPECT_EQ(font.TextWidth("mmmmmmmmm\t"), 100 + 0);  // 99 -> 100, the tenth stop
  EXPECT_EQ(font.TextWidth("mmmmmmmmmm\t"), 110);      // 110 lies past the tenth: no stop
  font.SetTabStops(nullptr, 5);
  EXPECT_EQ(font.TextWidth("\t"), 0);
}

TEST_F(BitmapFontTest, CountFittingStopsAtTheFirstOverflow) {
  EXPECT_EQ(font.CountFitting("aaaa", 20), 2);
  EXPECT_EQ(font.CountFitting("aaaa", 21), 3);
  EXPECT_EQ(font.CountFitting("aaaa", 100), 4);
  EXPECT_EQ(font.CountFitting("", 100), 0);
  EXPECT_EQ(font.CountFitting(std::string(3000, 'X').c_str(), 10), 2001);
}

TEST_F(BitmapFontTest, DrawTextCutsGlyphsFromTheImageAndClips) {
  EXPECT_EQ(font.DrawText(&canvas, 5, 40, "", -1, 100, 100, 255), 0);
  EXPECT_EQ(font.DrawText(&canvas, 5, 40, "b,X ow", -1, 100, 100, 200), 6);
  ASSERT_EQ(canvas.draws.size(), 4u);
  const GlyphDraw& b = canvas.draws[0];
  EXPECT_EQ(b.imageId, 58);
  EXPECT_FALSE(b.keyed);
  EXPECT_EQ(b.source, (Rect{7, 14, 14, 28}));
  EXPECT_EQ(b.x, 5);
  EXPECT_EQ(b.y, 40 - 18);
  EXPECT_EQ(b.alpha, 200);
  EXPECT_EQ(canvas.draws[1].source, (Rect{0, 0, 3, 14}));
  // "b" 7, "," 3, "X" 0, " " 10, "o" kerned against "w" 6.
  EXPECT_EQ(canvas.Xs(), (std::vector<int32_t>{5, 12, 25, 31}));

  canvas.draws.clear();
  EXPECT_EQ(font.DrawText(&canvas, 0, 0, "aaaa", 20, 100, 100, 255), 2);
  EXPECT_EQ(canvas.draws.size(), 2u);
  canvas.draws.clear();
  EXPECT_EQ(font.DrawText(&canvas, 0, 0, "aa    ", 14, 100, 100, 255), 6);  // spaces never clip
  canvas.draws.clear();
  EXPECT_EQ(font.DrawText(&canvas, 0, 0, "aaa", 28, 150, 80, 255), 2);  // 11 + 11 + 11 > 28
  EXPECT_EQ(canvas.Xs(), (std::vector<int32_t>{0, 11}));
  EXPECT_EQ(canvas.draws[0].scaleX, 150);
  EXPECT_EQ(canvas.draws[0].scaleY, 80);
  EXPECT_EQ(font.DrawText(nullptr, 0, 0, "aaa", -1, 100, 100, 255), 3);
}

TEST_F(BitmapFontTest, TextsBeyond2000CharactersAreCut) {
  EXPECT_EQ(font.TextWidth(std::string(2000, 'a').c_str()), 14000);
  EXPECT_EQ(font.TextWidth(std::string(2001, 'a').c_str()), 0);
  EXPECT_EQ(font.DrawText(&canvas, 0, 0, std::string(2001, 'a').c_str(), -1, 100, 100, 255), 2001);
  EXPECT_EQ(font.DrawText(&canvas, 0, 0, std::string(2500, 'a').c_str(), -1, 100, 100, 255), 2001);
  EXPECT_EQ(canvas.draws.size(), 4002u);
}

TEST_F(BitmapFontTest, CentredRightAlignedAndKeyed) {
  font.DrawCentered(&canvas, 100, 50, "aa", 20, 100, 100, 255);
  font.DrawCentered(&canvas, 100, 50, "aa", 9, 100, 100, 255);  // (9 - 14) / 2 = -2
  font.DrawCentered(&canvas, 100, 50, "aa", 40, 150, 100, 255);  // (40 - 22) / 2
  font.DrawRightAligned(&canvas, 100, 50, "ab", 100, 100, 255);
  EXPECT_EQ(canvas.Xs(), (std::vector<int32_t>{103, 110, 98, 105, 109, 120, 86, 93}));

  BitmapFont keyed;
  ASSERT_TRUE(keyed.LoadWithColourKey(60, 57, 0x00FF00FF, &resources));
  canvas.draws.clear();
  keyed.DrawText(&canvas, 0, 0, "a", -1, 100, 100, 255);
  ASSERT_EQ(canvas.draws.size(), 1u);
  EXPECT_TRUE(canvas.draws[0].keyed);
  EXPECT_EQ(canvas.draws[0].colourKey, 0x00FF00FFu);
  EXPECT_EQ(canvas.draws[0].imageId, 60);
}

TEST_F(BitmapFontTest, LinesSplitAtNewlinesWithAScaledStep) {
  font.DrawLines(&canvas, 10, 20, "ab\n\ncd\n", 16, 100, 150, 255);
  ASSERT_EQ(canvas.draws.size(), 4u);
  EXPECT_EQ(canvas.draws[0].y, 20 - 18);
  EXPECT_EQ(canvas.draws[2].y, 20 + 2 * 24 - 18);  // the empty line still takes its step
  EXPECT_EQ(canvas.draws[2].x, 10);
  canvas.draws.clear();
  font.DrawLinesCentered(&canvas, 0, 0, "a\naaa", 41, 10, 100, 100, 255);
  EXPECT_EQ(canvas.Xs(), (std::vector<int32_t>{17, 10, 17, 24}));
  EXPECT_EQ(canvas.draws[1].y, 10 - 18);
}

TEST_F(BitmapFontTest, WordWrapFillsLinesGreedily) {
  const int32_t box = font.TextWidth("abc def");
  EXPECT_EQ(font.DrawWrappedLeft(&canvas, 0, 100, box, 40, "abc def ghi", 20, false, 255), 2);
  ASSERT_EQ(canvas.draws.size(), 9u);
  EXPECT_EQ(canvas.draws[5].x, 7 * 3 + 10 + 14);  // "f" on the first line
  EXPECT_EQ(canvas.draws[5].y, 100 - 18);
  EXPECT_EQ(canvas.draws[6].x, 0);  // "ghi" starts the second line
  EXPECT_EQ(canvas.draws[6].y, 120 - 18);

  canvas.draws.clear();
  EXPECT_EQ(font.DrawWrappedLeft(&canvas, 0, 100, box, 40, "abc def ghi", 20, true, 255), 2);
  EXPECT_EQ(font.DrawWrappedCentered(nullptr, 0, 100, box, 40, "abc def ghi", 20, true, 255), 2);
  EXPECT_TRUE(canvas.draws.empty());

  // A word wider than the box stands alone (clipped to it); punctuation breaks too.
  EXPECT_EQ(font.DrawWrappedLeft(&canvas, 0, 0, 30, 100, "a mmmmmmmmmm b", 10, false, 255), 3);
  EXPECT_EQ(canvas.draws[1].y, 10 - 18);
  EXPECT_EQ(canvas.draws.size(), 4u);  // "a", the long word clipped to the box, "b"
  EXPECT_EQ(font.DrawWrappedLeft(nullptr, 0, 0, 30, 100, "aaa,bbb,ccc", 10, true, 255), 3);

  // The box height limits the lines; the centred variant centres each line in the box.
  EXPECT_EQ(font.DrawWrappedLeft(nullptr, 0, 0, box, 0, "abc def ghi", 20, true, 255), 1);
  EXPECT_EQ(font.DrawWrappedLeft(nullptr, 0, 0, box, 19, "abc def ghi jkl mno", 20, true, 255), 1);
  canvas.draws.clear();
  EXPECT_EQ(font.DrawWrappedCentered(&canvas, 0, 0, box, 40, "abc def ghi", 20, false, 255), 2);
  EXPECT_EQ(canvas.draws[0].x, 0);
  EXPECT_EQ(canvas.draws[6].x, (box - 17) / 2);
  EXPECT_EQ(font.DrawWrappedLeft(nullptr, 0, 0, box, 40, "", 20, true, 255), 0);
  EXPECT_EQ(font.DrawWrappedLeft(nullptr, 0, 0, box, 40, "   ", 20, true, 255), 0);
}

TEST(BitmapFont, UnreadableMetricsLeaveAFontThatDrawsNothing) {
  MemoryResources empty;
  BitmapFont font;
  EXPECT_FALSE(font.Load(77, 57, &empty));
  EXPECT_EQ(font.GlyphImageId(), 77);
  EXPECT_FALSE(font.HasGlyph('a'));
  EXPECT_TRUE(font.HasGlyph(' '));
  EXPECT_EQ(font.TextWidth("abc"), 0);
  RecordingCanvas canvas;
  EXPECT_EQ(font.DrawText(&canvas, 0, 0, "abc", -1, 100, 100, 255), 3);
  EXPECT_TRUE(canvas.draws.empty());
  EXPECT_EQ(font.DrawWrappedLeft(&canvas, 0, 0, 10, 10, "abc def", 10, false, 255), 1);
  EXPECT_TRUE(canvas.draws.empty());

  // Without a module argument the asset module is read.
  MemoryResources assets;
  assets.Add(kTextType, 57, std::string_view("S:0x41,5\nH:1,1,0,1,1\nS:0x41,5\n"));
  SetAssetModule(&assets);
  EXPECT_TRUE(font.Load(77, 57, nullptr));
  SetAssetModule(nullptr);
  EXPECT_EQ(font.TextWidth("A"), 5);
  EXPECT_EQ(font.Metrics().ignoredLines, 1);
}
