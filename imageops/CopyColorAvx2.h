#pragma once

#include <cstdint>

// The colour copy (colour bytes copied, destination alpha kept) on whole 32-byte blocks, for the
// SSE3 build where the processor and its system run AVX2 (SupportsAvx2). Returns the pixels
// done, a multiple of 8; the caller copies the rest.
std::int64_t CopyColorBlocksAvx2(const std::uint8_t* src, std::uint8_t* dst, std::int64_t count);
