#include "tools/packer/StringTableSource.h"

#include <gtest/gtest.h>

namespace {

TEST(StringTableSourceTest, ParsesEntriesEscapesAndComments) {
  std::vector<StringTableEntry> entries;
  std::string error;
  ASSERT_TRUE(ParseStringTable("# comment\n\n64\tQuillomar\r\n5\ttwo\\nlines\\ttab\\\\\n9\tcaf\xC3\xA9 \xE2\x82\xAC\n7\t\n",
                               &entries, &error))
      << error;
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].id, 64u);
  EXPECT_EQ(entries[0].text, "Quillomar");
  EXPECT_EQ(entries[1].text, "two\nlines\ttab\\");
  EXPECT_EQ(entries[2].text, "caf\xE9 \x80");
  EXPECT_EQ(entries[3].id, 7u);
  EXPECT_EQ(entries[3].text, "");
}

TEST(StringTableSourceTest, RefusesMalformedLines) {
  std::vector<StringTableEntry> entries;
  std::string error;
  for (const char* bad : {"64 Quillomar\n", "x\ttext\n", "65536\ttoo big\n", "1\ta\n1\tb\n", "1\tbad \\q escape\n",
                          "1\tends in \\\n", "1\t\xE6\x97\xA5\n", "1\t\xC3\n", "\ttext\n"}) {
    EXPECT_FALSE(ParseStringTable(bad, &entries, &error)) << bad;
    EXPECT_FALSE(error.empty());
  }
  EXPECT_FALSE(ParseStringTable("1\tok\n2\tok\n2\tagain\n", &entries, &error));
  EXPECT_NE(error.find("line 3"), std::string::npos) << error;
}

}  // namespace
