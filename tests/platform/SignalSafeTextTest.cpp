#include "platform/SignalSafeText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SignalSafeTextTest, NumbersArePaddedAndSigned) {
  SignalSafeText text;
  text.Hex(0xB, 8).Add(' ').Hex(0xDEADBEEFCAFEF00Dull, 4).Add(' ').Hex(0, 1);
  EXPECT_STREQ(text.Text(), "0000000B DEADBEEFCAFEF00D 0");
  text.Clear();
  text.Dec(7, 2).Add(':').Dec(-42, 4).Add(':').Dec(INT64_MIN).Add(':').Dec(2026, 4);
  EXPECT_STREQ(text.Text(), "07:-0042:-9223372036854775808:2026");
}

TEST(SignalSafeTextTest, TextBeyondTheCapacityIsDropped) {
  SignalSafeText text;
  const std::string big(SignalSafeText::kCapacity + 50, 'x');
  text.Add(big.c_str()).Add("tail").Hex(0xFF, 2);
  EXPECT_EQ(text.Length(), SignalSafeText::kCapacity);
  EXPECT_EQ(std::string(text.Text()), big.substr(0, SignalSafeText::kCapacity));
  text.Add(static_cast<const char*>(nullptr));
  EXPECT_EQ(text.Length(), SignalSafeText::kCapacity);
}

}  // namespace
