#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePageTest, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::string back;
  EXPECT_TRUE(Utf8ToCp1252(Cp1252ToUtf8(all), &back));
  EXPECT_EQ(back, all);
}

TEST(CodePageTest, KnownMappings) {
  EXPECT_EQ(Cp1252ToCodePoint(0x80), U'\u20AC');
  EXPECT_EQ(Cp1252ToCodePoint(0x9F), U'\u0178');
  EXPECT_EQ(Cp1252ToCodePoint(0xE9), U'\u00E9');
  EXPECT_EQ(Cp1252FromCodePoint(U'\u2122'), 0x99);
  EXPECT_EQ(Cp1252FromCodePoint(U'\u0100'), -1);
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
}

TEST(CodePageTest, BadAndUnmappableInputIsReplaced) {
  std::string out;
  EXPECT_FALSE(Utf8ToCp1252("a\xC3", &out));  // truncated sequence
  EXPECT_EQ(out, "a?");
  EXPECT_FALSE(Utf8ToCp1252("\xC0\xAF", &out, '_'));  // overlong
  EXPECT_EQ(out, "__");
  EXPECT_FALSE(Utf8ToCp1252("\xE6\x97\xA5x", &out));  // outside the page
  EXPECT_EQ(out, "?x");
  EXPECT_FALSE(Utf8ToCp1252("\xED\xA0\x80", &out));  // encoded surrogate
  EXPECT_TRUE(Utf8ToCp1252("\xC3\xA9t\xC3\xA9", &out));
  EXPECT_EQ(out, "\xE9t\xE9");
}

TEST(CodePageTest, Utf16) {
  EXPECT_EQ(Utf16ToCp1252(u"\u00e9\u20ac"), "\xE9\x80");
  EXPECT_EQ(Utf16ToCp1252(u"a\U0001F600b"), "a?b");
  EXPECT_EQ(Utf16ToCp1252(std::u16string_view(u"ab\0cd", 5)), "ab");
  EXPECT_EQ(Utf16ToCp1252(u"\xD800x"), "?x");
}

}  // namespace
