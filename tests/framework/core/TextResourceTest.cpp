#include "framework/core/TextResource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"

namespace {

std::vector<std::string> Lines(const TextResource& text) {
  std::vector<std::string> lines;
  int position = 0;
  String line;
  while (text.ReadLine(&position, &line)) lines.emplace_back(line.CStr(), static_cast<size_t>(line.Length()));
  EXPECT_EQ(position, text.Length());
  return lines;
}

class TextResourceTest : public ::testing::Test {
 protected:
  void SetUp() override { SetAssetModule(&pack_); }
  void TearDown() override { SetAssetModule(nullptr); }
  MemoryResources pack_;
};

TEST_F(TextResourceTest, LineEndsAndBlankLines) {
  pack_.Add(kTextType, 1, std::string_view("A\r\n\r\nB"));
  pack_.Add(kTextType, 2, std::string_view("\r\nA"));
  pack_.Add(kTextType, 3, std::string_view("first\nlast"));
  pack_.Add(kTextType, 4, std::string_view("a\0b\n\0", 5));
  TextResource text;
  ASSERT_TRUE(text.Open(1, 0));
  EXPECT_EQ(Lines(text), (std::vector<std::string>{"A", "B"}));
  ASSERT_TRUE(text.Open(2, 1));
  EXPECT_EQ(Lines(text), (std::vector<std::string>{"", "A"}));
  ASSERT_TRUE(text.Open(3, 1));
  EXPECT_EQ(Lines(text), (std::vector<std::string>{"first", "last"}));
  ASSERT_TRUE(text.Open(4, 1));
  EXPECT_EQ(Lines(text), (std::vector<std::string>{"a", "b", ""}));
}

TEST_F(TextResourceTest, EndLeavesTheOutputAlone) {
  pack_.Add(kTextType, 1, std::string_view("only"));
  TextResource text;
  ASSERT_TRUE(text.Open(1, 1));
  int position = 0;
  String line;
  ASSERT_TRUE(text.ReadLine(&position, &line));
  EXPECT_FALSE(text.ReadLine(&position, &line));
  EXPECT_STREQ(line.CStr(), "only");
  position = -1;
  EXPECT_FALSE(text.ReadLine(&position, &line));
}

TEST_F(TextResourceTest, MissingOrEmptyResourcesDoNotOpen) {
  pack_.Add(kTextType, 1, std::string_view(""));
  pack_.Add(kTextType, 2, std::string_view("x"));
  TextResource text;
  EXPECT_FALSE(text.Open(1, 1));
  EXPECT_FALSE(text.Open(9, 1));
  EXPECT_FALSE(text.Open(2, 2));  // one byte is no UTF-16 unit
  int position = 0;
  String line;
  EXPECT_FALSE(text.ReadLine(&position, &line));
}

TEST_F(TextResourceTest, Utf16Lines) {
  const std::u16string source = u"caf\u00e9\r\n\u20ac5";
  std::string bytes;
  for (char16_t unit : source) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  pack_.Add(kTextType, 1, bytes);
  pack_.Add(kTextType, 2, std::string_view("0123456789"));
  TextResource text;
  ASSERT_TRUE(text.Open(2, 2));
  EXPECT_EQ(text.Length(), 5);
  ASSERT_TRUE(text.Open(1, 2));
  EXPECT_EQ(Lines(text), (std::vector<std::string>{"caf\xE9", "\x80" "5"}));
}

TEST_F(TextResourceTest, ReadsFromAGivenModule) {
  MemoryResources exe;
  exe.Add(kTextType, 57, std::string_view("H:14,18,0,10,2\nS:0x2c,3"));
  TextResource text;
  EXPECT_FALSE(text.Open(57, 1));
  ASSERT_TRUE(text.Open(57, 1, &exe));
  EXPECT_EQ(Lines(text), (std::vector<std::string>{"H:14,18,0,10,2", "S:0x2c,3"}));
}

}  // namespace
