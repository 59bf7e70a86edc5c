#include "platform/Random.h"

#include <gtest/gtest.h>

namespace {

TEST(RandomTest, ClassicSequence) {
  SRand(1);
  const int expected[] = {41, 18467, 6334, 26500, 19169};
  for (int value : expected) EXPECT_EQ(Rand(), value);
  SRand(0);
  EXPECT_EQ(Rand(), 38);
  EXPECT_EQ(Rand(), 7719);
}

TEST(RandomTest, SeedReproducesAndStaysInRange) {
  SRand(0xDEADBEEF);
  int first[100];
  for (int& v : first) {
    v = Rand();
    EXPECT_GE(v, 0);
    EXPECT_LE(v, kRandMax);
  }
  SRand(0xDEADBEEF);
  for (int v : first) EXPECT_EQ(Rand(), v);
}

}  // namespace
