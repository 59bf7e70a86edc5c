// The string table as packed: every id present, printf texts with exactly the conversions
// their callers pass, and hand-broken texts inside the width and lines their screen gives them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/gfx/BitmapFont.h"
#include "tests/assets/BuiltPack.h"

namespace {

// The ids the dialogs, screens and board read: 1-189 but for 46, 49, 50 and 157.
std::vector<uint32_t> StringIds() {
  std::vector<uint32_t> ids;
  for (uint32_t id = 1; id <= 189; ++id)
    if (id != 46 && id != 49 && id != 50 && id != 157) ids.push_back(id);
  return ids;
}

// The conversions of a printf format in order ("d", "s", "ld", ...); a '*' width or
// precision counts as an "int" argument of its own, a '%' left dangling as "?".
std::vector<std::string> Conversions(const std::string& format) {
  std::vector<std::string> out;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    ++i;
    if (i < format.size() && format[i] == '%') continue;
    while (i < format.size() && std::string("-+ #0'").find(format[i]) != std::string::npos) ++i;
    auto number = [&] {
      if (i < format.size() && format[i] == '*') {
        out.push_back("*");
        ++i;
      }
      while (i < format.size() && format[i] >= '0' && format[i] <= '9') ++i;
    };
    number();
    if (i < format.size() && format[i] == '.') {
      ++i;
      number();
    }
    std::string spec;
    while (i < format.size() && std::string("hlLqjzt").find(format[i]) != std::string::npos)
      spec += format[i++];
    if (i >= format.size()) {
      out.push_back("?");
      break;
    }
    out.push_back(spec + format[i]);
  }
  return out;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

struct PrintfText {
  uint32_t id;
  std::vector<std::string> conversions;
};

const PrintfText kPrintfTexts[] = {
    {6, {"d"}},        // year, common era
    {7, {"d"}},        // year before the common era
    {12, {"d"}},       // combo bonus
    {17, {"s"}},       // best time "H:mm:ss"
    {18, {"d", "d"}},  // tiles, free tiles
    {19, {"d", "s"}},  // layout number, layout name
    {20, {"d", "d"}},  // completed, total
    {32, {"s"}},       // dynasty name
    {112, {"s"}},      // dynasty name
    {113, {"s"}},      // player name
    {145, {"d"}},      // seconds the shuffle adds
    {150, {"s"}},      // player name
    {163, {"s"}},      // player name
    {174, {"s"}},      // record text
};

// Texts laid out split at line breaks only, in the panel line font. The help pages' text
// area ends at x 455 whatever the left edge, which bounds the texts given no width of their own.
struct HandBroken {
  uint32_t id;
  int32_t width;
  int maxLines;
};

const HandBroken kHandBroken[] = {
    {51, 297, 2},  {53, 282, 4},  {55, 405, 3},  {57, 315, 4},  {59, 315, 4},  {65, 297, 3},
    {68, 405, 4},  {70, 410, 11}, {72, 410, 11}, {74, 405, 11}, {77, 405, 2},  {78, 300, 5},
    {79, 300, 4},  {80, 330, 5},  {81, 330, 4},  {82, 400, 1},  {84, 295, 5},  {85, 405, 5},
    {87, 405, 10}, {89, 405, 4},  {91, 415, 3},  {100, 405, 10}, {101, 405, 10},
    // Option labels left of the volume sliders at x 117, drawn from x 45.
    {129, 72, 1},  {133, 72, 1},
    // One-line labels with their values beside them.
    {126, 800, 1}, {177, 800, 1}, {179, 800, 1}, {182, 800, 1}, {183, 800, 1},
};

// Texts laid out by word wrap in the panel line font: the wrap breaks at spaces and
// punctuation only, so a line break in one would be drawn as nothing, gluing two words.
struct Wrapped {
  uint32_t id;
  int32_t width;
  int maxLines;
};

const Wrapped kWrapped[] = {
    {1, 309, 3},  {3, 309, 3},  {23, 309, 2}, {29, 357, 2}, {61, 357, 2},
    {62, 357, 2}, {64, 263, 2}, {95, 404, 4}, {98, 404, 4}, {139, 309, 2},
};

}  // namespace

TEST(PackStrings, EveryIdIsPresent) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  for (uint32_t id : StringIds()) EXPECT_FALSE(PackedString(id).empty()) << "string " << id;
}

TEST(PackStrings, ConversionsAreReadInOrder) {
  EXPECT_EQ(Conversions("%d. %s"), (std::vector<std::string>{"d", "s"}));
  EXPECT_EQ(Conversions("100%% of %-5ld"), (std::vector<std::string>{"ld"}));
  EXPECT_EQ(Conversions("%*.*f"), (std::vector<std::string>{"*", "*", "f"}));
  EXPECT_EQ(Conversions("tail %"), (std::vector<std::string>{"?"}));
  EXPECT_TRUE(Conversions("none").empty());
}

TEST(PackStrings, PrintfTextsHaveExactlyTheirConversions) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  for (const PrintfText& text : kPrintfTexts) {
    std::string format = PackedString(text.id);
    EXPECT_EQ(Conversions(format), text.conversions) << "string " << text.id << ": \"" << format << "\"";
  }
}

TEST(PackStrings, HandBrokenTextsFitTheirWidthAndLines) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  BitmapFont font;
  ASSERT_TRUE(font.Load(290, 289, BuiltPack()));
  for (const HandBroken& budget : kHandBroken) {
    std::vector<std::string> lines = Split(PackedString(budget.id), '\n');
    EXPECT_LE(int(lines.size()), budget.maxLines) << "string " << budget.id;
    for (const std::string& line : lines) {
      EXPECT_LE(font.TextWidth(line.c_str()), budget.width)
          << "string " << budget.id << " line \"" << line << "\"";
      for (char c : line)
        EXPECT_TRUE(font.HasGlyph(static_cast<unsigned char>(c)))
            << "string " << budget.id << ": no glyph for " << int(static_cast<unsigned char>(c));
    }
  }
}

TEST(PackStrings, TabSeparatedListsHaveTheirCounts) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  // Flower and season names sit centred under tiles 80 px apart, in the emphasis font: wider
  // than their 48-px box is fine while neighbours keep a gap between them.
  BitmapFont legend;
  ASSERT_TRUE(legend.Load(307, 306, BuiltPack()));
  for (uint32_t id : {93u, 105u}) {
    std::vector<std::string> names = Split(PackedString(id), '\t');
    ASSERT_EQ(names.size(), 4u) << "string " << id;
    for (size_t i = 0; i < names.size(); ++i) {
      EXPECT_FALSE(names[i].empty()) << "string " << id;
      if (i == 0) continue;
      int32_t halves = (legend.TextWidth(names[i - 1].c_str()) + legend.TextWidth(names[i].c_str())) / 2;
      EXPECT_LE(halves, 80 - 6) << "string " << id << ": \"" << names[i - 1] << "\" and \"" << names[i] << "\"";
    }
  }
  std::vector<std::string> dynasties = Split(PackedString(104), '\t');
  EXPECT_EQ(dynasties.size(), 11u);
  for (const std::string& caption : dynasties) EXPECT_FALSE(caption.empty());
}

TEST(PackStrings, WrappedTextsHaveOnlyDrawableCharactersAndFitTheirLines) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  BitmapFont font;
  ASSERT_TRUE(font.Load(290, 289, BuiltPack()));
  for (const Wrapped& budget : kWrapped) {
    std::string text = PackedString(budget.id);
    for (char c : text)
      EXPECT_TRUE(c == ' ' || font.HasGlyph(static_cast<unsigned char>(c)))
          << "string " << budget.id << ": nothing to draw for " << int(static_cast<unsigned char>(c));
    int lines = font.DrawWrappedLeft(nullptr, 0, 0, budget.width, 1000, text.c_str(), 20, true, 255);
    EXPECT_GE(lines, 1) << "string " << budget.id;
    EXPECT_LE(lines, budget.maxLines) << "string " << budget.id;
  }
}

TEST(PackStrings, TheShuffleTextAddsItsSecondsToTheClock) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  EXPECT_EQ(PackedString(145).rfind("+%d ", 0), 0u) << PackedString(145);
}

TEST(PackStrings, TheHowToPlayTipSuitsFreePlayAsWellAsTheStory) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  // Both modes open with it, and free play has no exit tiles to send the player to.
  const std::string tip = PackedString(55);
  for (const char* word : {"Exit", "exit"}) EXPECT_EQ(tip.find(word), std::string::npos) << tip;
}

TEST(PackStrings, TheStoryWelcomeSendsThePlayerToPlay) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  // No level done, the map takes no click: Play, the button, is all there is to press.
  const std::string welcome = PackedString(108);
  EXPECT_NE(welcome.find(PackedString(110)), std::string::npos) << welcome;
  for (const char* word : {"Click", "click"}) EXPECT_EQ(welcome.find(word), std::string::npos) << welcome;
}
