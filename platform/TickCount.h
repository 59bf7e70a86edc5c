#pragma once
// The system's millisecond tick count: a 32-bit reading of a clock that only moves forward,
// wrapping round about every 49.7 days.
#include <cstdint>

uint32_t TickCount();
