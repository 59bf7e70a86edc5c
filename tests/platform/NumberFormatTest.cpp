#include "platform/NumberFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "ScratchFolder.h"

namespace {

// Sets environment variables for one test (null removes one) and puts the old values back.
class ScopedEnvironment {
public:
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) Put(it->first, it->second);
  }
  void Set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    Put(name, value ? std::optional<std::string>(value) : std::nullopt);
  }

private:
  static void Put(const std::string& name, const std::optional<std::string>& value) {
    if (value) setenv(name.c_str(), value->c_str(), 1);
    else unsetenv(name.c_str());
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Compiles the locale source `source` (a system locale's name or a file) into `folder`/`name`.
bool BuildLocale(const ScratchFolder& folder, const std::string& source, const std::string& name) {
  const std::string command =
      "localedef -c -i '" + source + "' -f UTF-8 '" + (folder / name) + "' >/dev/null 2>&1";
  (void)std::system(command.c_str());  // warnings answer 1 although the locale was written
  return std::filesystem::exists(folder / name + "/LC_NUMERIC");
}

// A locale whose numbers group by 3, then 2, with `separator` between the groups.
bool BuildSeparatorLocale(const ScratchFolder& folder, const char* separator, const std::string& name) {
  std::ofstream(folder / "source") << "LC_NUMERIC\ndecimal_point \"<U002C>\"\nthousands_sep \""
                                   << separator << "\"\ngrouping 3;2\nEND LC_NUMERIC\n";
  return BuildLocale(folder, folder / "source", name);
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
  ScopedEnvironment environment;
  environment.Set("LC_ALL", "C");
  EXPECT_EQ(FormatLocaleInteger(-1234567), "-1234567");
  EXPECT_EQ(FormatLocaleInteger(LONG_MIN), std::to_string(LONG_MIN));
}

// The grouping follows the environment's numeric locale, in the program's code page, while the
// process's own conventions stay those of "C".
TEST(NumberFormatTest, GroupsByTheEnvironmentsNumericLocale) {
  ScratchFolder folder;
  ASSERT_TRUE(BuildLocale(folder, "en_US", "en_US.UTF-8"));
  ASSERT_TRUE(BuildSeparatorLocale(folder, "<U2019>", "apostrophe.UTF-8"));
  ASSERT_TRUE(BuildSeparatorLocale(folder, "<U202F>", "narrow.UTF-8"));
  ScopedEnvironment environment;
  environment.Set("LOCPATH", folder.Path().c_str());
  environment.Set("LC_ALL", nullptr);
  environment.Set("LANG", "C");
  environment.Set("LC_NUMERIC", "en_US.UTF-8");
  EXPECT_EQ(FormatLocaleInteger(1234567), "1,234,567");
  EXPECT_EQ(FormatLocaleInteger(-1234), "-1,234");
  environment.Set("LC_NUMERIC", "apostrophe.UTF-8");
  EXPECT_EQ(FormatLocaleInteger(1234567), "12\x92" "34\x92" "567");
  environment.Set("LC_NUMERIC", "narrow.UTF-8");
  EXPECT_EQ(FormatLocaleInteger(1234567), "12\xA0" "34\xA0" "567");
  environment.Set("LC_ALL", "C");
  EXPECT_EQ(FormatLocaleInteger(1234567), "1234567");
  environment.Set("LC_ALL", "xx_NOWHERE.UTF-8");
  EXPECT_EQ(FormatLocaleInteger(1234567), "1234567");
  EXPECT_STREQ(std::localeconv()->thousands_sep, "");
}

}  // namespace
