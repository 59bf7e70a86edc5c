#include "platform/ModuleMap.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kMaps =
    "555555554000-555555556000 r--p 00000000 08:01 1234    /usr/games/quillomar\n"
    "555555556000-55555555a000 r-xp 00002000 08:01 1234    /usr/games/quillomar\n"
    "55555555a000-55555555c000 rw-p 00006000 08:01 1234    /usr/games/quillomar\n"
    "7ffff7a00000-7ffff7a20000 rw-p 00000000 00:00 0 \n"
    "7ffff7c00000-7ffff7c28000 r--p 00000000 08:01 99      /usr/lib/x86_64-linux-gnu/libc.so.6\n"
    "7ffff7c28000-7ffff7dbd000 r-xp 00028000 08:01 99      /usr/lib/x86_64-linux-gnu/libc.so.6\n"
    "7ffffffde000-7ffffffff000 rw-p 00000000 00:00 0       [stack]";

TEST(ModuleMapTest, FindsTheFileTheMappingNumberAndTheOffset) {
  ModuleLocation location;
  ASSERT_TRUE(FindModuleInMaps(kMaps.data(), kMaps.size(), 0x555555557010, location));
  EXPECT_STREQ(location.path, "/usr/games/quillomar");
  EXPECT_EQ(location.section, 2u);
  EXPECT_EQ(location.offset, 0x1010u);
  ASSERT_TRUE(FindModuleInMaps(kMaps.data(), kMaps.size(), 0x7ffff7c28000, location));
  EXPECT_STREQ(location.path, "/usr/lib/x86_64-linux-gnu/libc.so.6");
  EXPECT_EQ(location.section, 2u);
  EXPECT_EQ(location.offset, 0u);
  ASSERT_TRUE(FindModuleInMaps(kMaps.data(), kMaps.size(), 0x7ffffffff000 - 1, location));
  EXPECT_STREQ(location.path, "[stack]");
}

TEST(ModuleMapTest, AnonymousMemoryAndGapsAndBadText) {
  ModuleLocation location;
  ASSERT_TRUE(FindModuleInMaps(kMaps.data(), kMaps.size(), 0x7ffff7a00010, location));
  EXPECT_STREQ(location.path, "");
  EXPECT_FALSE(FindModuleInMaps(kMaps.data(), kMaps.size(), 0x555555560000, location));
  EXPECT_FALSE(FindModuleInMaps(kMaps.data(), kMaps.size(), 0, location));
  const std::string bad = "zzzz\n-\n12-\n\n";
  EXPECT_FALSE(FindModuleInMaps(bad.data(), bad.size(), 0x12, location));
  // A path longer than the buffer is cut, not overrun.
  const std::string longPath = "1000-2000 r-xp 0 0:0 1 /" + std::string(400, 'p') + "\n";
  ASSERT_TRUE(FindModuleInMaps(longPath.data(), longPath.size(), 0x1800, location));
  EXPECT_EQ(std::string(location.path).size(), sizeof location.path - 1);
}

}  // namespace
