#include "framework/core/Crc32.h"

#include <gtest/gtest.h>

namespace {

TEST(Crc32Test, StandardCheckValues) {
  EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
  uint32_t crc = 0;
  Crc32Update(&crc, "abc", 3);
  EXPECT_EQ(crc, 0x352441C2u);
  crc = 0;
  Crc32Update(&crc, "1234", 4);
  Crc32Update(&crc, "56789", 5);
  EXPECT_EQ(crc, 0xCBF43926u);
  Crc32Update(&crc, "x", 0);
  Crc32Update(&crc, "x", -3);
  EXPECT_EQ(crc, 0xCBF43926u);
}

TEST(Crc32Test, ByteStepIsTheRawTableStep) {
  uint32_t reg = 0;
  Crc32UpdateByte(1, &reg);
  EXPECT_EQ(reg, 0x77073096u);
  reg = 0xFFFFFFFFu;
  for (char c : std::string_view("123456789")) Crc32UpdateByte(static_cast<uint8_t>(c), &reg);
  EXPECT_EQ(~reg, 0xCBF43926u);
}

}  // namespace
