// The story's level table and every layout as packed.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/core/String.h"
#include "framework/core/TextResource.h"
#include "framework/gfx/BitmapFont.h"
#include "tests/assets/BuiltPack.h"

namespace {

constexpr int kLevels = 52;

bool ParseNumber(const String& field, unsigned long max, unsigned long* value) {
  if (field.IsEmpty()) return false;
  for (int i = 0; i < field.Length(); ++i)
    if (field[i] < '0' || field[i] > '9') return false;
  errno = 0;
  *value = std::strtoul(field.CStr(), nullptr, 10);
  return errno == 0 && *value <= max;
}

}  // namespace

TEST(PackStoryData, LevelTableHasEveryLevel) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  TextResource table;
  ASSERT_TRUE(table.Open(383, TextResource::kAnsi, BuiltPack()));
  // Captions sit in the level banner, wrapped into 270 px in the banner font, 3 lines at most.
  BitmapFont banner;
  ASSERT_TRUE(banner.Load(302, 303, BuiltPack()));
  int position = 0;
  String line;
  int level = 0;
  for (; level < kLevels && table.ReadLine(&position, &line); ++level) {
    int field = 0;
    String percent = line.Tokenize('\t', &field);
    String seed = line.Tokenize('\t', &field);
    String caption = line.Mid(field);
    unsigned long value = 0;
    EXPECT_TRUE(ParseNumber(percent, 100, &value)) << "level " << level << ": \"" << line.CStr() << "\"";
    EXPECT_TRUE(ParseNumber(seed, 4294967295ul, &value)) << "level " << level << ": \"" << line.CStr() << "\"";
    EXPECT_FALSE(caption.IsEmpty()) << "level " << level;
    EXPECT_EQ(caption.Find(0, "\t"), -1) << "level " << level;
    EXPECT_LE(banner.DrawWrappedLeft(nullptr, 0, 0, 270, 1000, caption.CStr(), 21, true, 255), 3)
        << "level " << level << ": \"" << caption.CStr() << "\"";
  }
  EXPECT_EQ(level, kLevels);
}

TEST(PackStoryData, EveryLayoutIsPresent) {
  ASSERT_NE(BuiltPack(), nullptr) << QM_PACK_PATH;
  // 52 story levels from 385, then 126 free-play layouts.
  for (uint32_t id = 385; id <= 562; ++id)
    EXPECT_FALSE(BuiltPack()->Find(kLayoutsType, id).empty()) << "layout " << id;
}
