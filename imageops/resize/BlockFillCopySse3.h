#pragma once

#include "imageops/ImageOpStatus.h"

#include <cstdint>

// The block operations of the SSE3 build: the same contracts as ZeroBytes and CopyInts
// (BlockFillCopy.h), and the unchecked byte copy under CopyIntsSse3, which writes large
// blocks with non-temporal stores.

ImageOpStatus ZeroBytesSse3(void* block, std::int64_t byteCount);

// Copies byteCount bytes (not overlapping, any alignment); nothing for a count below 1.
void CopyBytesSse3(const void* src, void* dst, std::int64_t byteCount);

ImageOpStatus CopyIntsSse3(const void* src, void* dst, std::int64_t count);
