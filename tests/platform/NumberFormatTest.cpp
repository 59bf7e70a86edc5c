#include "platform/NumberFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "EnvironmentGuard.h"
#include "ScratchFolder.h"

namespace {

// Compiles into `folder`/`name` a locale whose numbers group by 3, then 2, with `separator`.
bool BuildLocale(const ScratchFolder& folder, const char* separator, const std::string& name) {
  std::ofstream(folder / "source") << "LC_NUMERIC\ndecimal_point \"<U002C>\"\nthousands_sep \"" << separator
                                   << "\"\ngrouping 3;2\nEND LC_NUMERIC\n";
  const std::string command =
      "localedef -c -i '" + (folder / "source") + "' -f UTF-8 '" + (folder / name) + "' >/dev/null 2>&1";
  (void)std::system(command.c_str());  // warnings answer 1 although the locale was written
  return std::filesystem::exists(folder / name + "/LC_NUMERIC");
}

TEST(NumberFormatTest, GroupsDigitsByLocaleRules) {
  EXPECT_EQ(GroupDigits("1234567", "\3", ","), "1,234,567");
  EXPECT_EQ(GroupDigits("123", "\3", ","), "123");
  EXPECT_EQ(GroupDigits("1234", "\3", ","), "1,234");
  EXPECT_EQ(GroupDigits("123456789", "\3\2", "."), "12.34.56.789");
  const char noFurther[] = {3, CHAR_MAX, 0};
  EXPECT_EQ(GroupDigits("123456789", noFurther, " "), "123456 789");
  EXPECT_EQ(GroupDigits("123456", "", ","), "123456");
  EXPECT_EQ(GroupDigits("123456", "\3", ""), "123456");
}

TEST(NumberFormatTest, CLocaleHasNoGrouping) {
  EnvironmentGuard all("LC_ALL");
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(FormatLocaleInteger(-1234567), "-1234567");
  EXPECT_EQ(FormatLocaleInteger(LONG_MIN), std::to_string(LONG_MIN));
}

// The environment's numeric locale groups the digits, its separator in the program's code page,
// while the process's own conventions stay those of "C".
TEST(NumberFormatTest, GroupsByTheEnvironmentsNumericLocale) {
  ScratchFolder folder;
  ASSERT_TRUE(BuildLocale(folder, "<U2019>", "apostrophe.UTF-8"));
  ASSERT_TRUE(BuildLocale(folder, "<U202F>", "narrow.UTF-8"));
  EnvironmentGuard path("LOCPATH"), all("LC_ALL"), numeric("LC_NUMERIC");
  setenv("LOCPATH", folder.Path().c_str(), 1);
  unsetenv("LC_ALL");
  setenv("LC_NUMERIC", "apostrophe.UTF-8", 1);
  EXPECT_EQ(FormatLocaleInteger(1234567), "12\x92" "34\x92" "567");
  setenv("LC_NUMERIC", "narrow.UTF-8", 1);  // a separator the code page lacks
  EXPECT_EQ(FormatLocaleInteger(1234567), "12\xA0" "34\xA0" "567");
  setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
  EXPECT_EQ(FormatLocaleInteger(1234567), "1234567");
  EXPECT_STREQ(std::localeconv()->thousands_sep, "");
}

}  // namespace
