#pragma once

#include "imageops/ImageOpStatus.h"

#include <cstdint>

// The block operations of the SSE2 build: the same contracts as ZeroBytes and CopyInts
// (BlockFillCopy.h), and the unchecked byte copy under CopyIntsSse2.

ImageOpStatus ZeroBytesSse2(void* block, std::int64_t byteCount);

// Copies byteCount bytes (not overlapping, any alignment); nothing for a count below 1.
void CopyBytesSse2(const void* src, void* dst, std::int64_t byteCount);

ImageOpStatus CopyIntsSse2(const void* src, void* dst, std::int64_t count);
