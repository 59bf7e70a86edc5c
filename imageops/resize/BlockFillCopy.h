#pragma once

#include "imageops/ImageOpStatus.h"

#include <cstdint>

// Checked block operations of the resize kernels and workers.

// Sets byteCount bytes at block to zero. NullPointer for a null block, BadSize for a count
// below 1; nothing is written then.
ImageOpStatus ZeroBytes(void* block, std::int64_t byteCount);

// Copies count 32-bit elements from src to dst (non-overlapping, any alignment). NullPointer
// when either pointer is null, BadSize for a count below 1; nothing is written then.
ImageOpStatus CopyInts(const void* src, void* dst, std::int64_t count);
