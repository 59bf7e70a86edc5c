#include "platform/NumberFormat.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

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
  EXPECT_EQ(FormatLocaleInteger(-1234567), "-1234567");
  EXPECT_EQ(FormatLocaleInteger(LONG_MIN), std::to_string(LONG_MIN));
}

}  // namespace
