#pragma once

#include <cstdint>

// The resize tests link their own AlignedAlloc/AlignedFree (TestAllocator.cpp) so that any
// allocation of a call can be made to fail and every block can be accounted for.

// The allocation with this number, counted from the last reset (0 = the next one), returns
// null; -1 lets every allocation through.
void FailAllocationAt(int index);

// Allocations attempted since the last FailAllocationAt call.
int AllocationsAttempted();

// Blocks handed out and not yet released.
int LiveBlocks();
