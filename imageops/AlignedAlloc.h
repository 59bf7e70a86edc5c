#pragma once

#include <cstdint>

// Blocks whose start lies on a 32-byte boundary, carved out of one heap block each. The heap
// address is kept in the pointer-sized slot just before the returned address, so one release
// function serves every block of this family.

inline constexpr std::int64_t kAlignedBlockAlignment = 32;

// A block of byteCount uninitialised bytes starting on a 32-byte boundary; null when byteCount
// is below 1 (no heap call is made) or when the heap cannot serve the request.
void* AlignedAlloc(std::int64_t byteCount);

// Releases a block of AlignedAlloc; null is ignored.
void AlignedFree(void* block);
