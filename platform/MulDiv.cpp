#include "platform/MulDiv.h"

#include <cstdint>
#include <limits>

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  const bool negative = (product < 0) != (c < 0);
  // |product| < 2^62 and |c| <= 2^31, so neither magnitude nor the rounding sum overflows.
  const uint64_t magnitude = product < 0 ? static_cast<uint64_t>(-product) : static_cast<uint64_t>(product);
  const uint64_t divisor = c < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(c)) : static_cast<uint64_t>(c);
  const uint64_t quotient = (magnitude + divisor / 2) / divisor;
  const int64_t result = negative ? -static_cast<int64_t>(quotient) : static_cast<int64_t>(quotient);
  if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(result);
}
