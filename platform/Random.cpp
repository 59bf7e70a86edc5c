#include "platform/Random.h"

namespace {
// The program runs its game logic on one thread, as the original runtime's per-thread state did.
uint32_t g_state = 1;
}  // namespace

void SRand(uint32_t seed) { g_state = seed; }

int Rand() {
  g_state = g_state * 214013u + 2531011u;
  return static_cast<int>((g_state >> 16) & kRandMax);
}
