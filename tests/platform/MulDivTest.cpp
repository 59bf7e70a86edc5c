#include "platform/MulDiv.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(MulDivTest, RoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDiv(800, 75, 100), 600);
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(5, -1, 2), -3);
  EXPECT_EQ(MulDiv(5, 1, -2), -3);
  EXPECT_EQ(MulDiv(-5, -1, -2), -3);
  EXPECT_EQ(MulDiv(7, 1, 3), 2);
  EXPECT_EQ(MulDiv(-7, 1, 3), -2);
  EXPECT_EQ(MulDiv(3, 1, 2), 2);
}

TEST(MulDivTest, WideIntermediateAndFailures) {
  EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
  EXPECT_EQ(MulDiv(INT_MIN, 1, 1), INT_MIN);
  EXPECT_EQ(MulDiv(100000, 100000, 10), 1000000000);
  EXPECT_EQ(MulDiv(1, 2, 0), -1);
  EXPECT_EQ(MulDiv(INT_MAX, 4, 1), -1);
  EXPECT_EQ(MulDiv(INT_MIN, -1, 1), -1);
}

}  // namespace
