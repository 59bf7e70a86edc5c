#pragma once

#include "imageops/ImageOpStatus.h"

#include <cstdint>

// The SSE2 build's checked block operations, with the results of ZeroBytes and CopyInts
// (BlockFillCopy.h). Clearing goes past the caches when more than 512 KiB remain, copying when
// more than 256 KiB remain, except at some distances of the source below the destination
// (BlockFillCopySimd.h); non-temporal stores are fenced before returning.

// Sets byteCount bytes at block to zero. NullPointer for a null block, BadSize for a count
// below 1; nothing is written then.
ImageOpStatus ZeroBytesSse2(void* block, std::int64_t byteCount);

// Copies count 32-bit elements from src to dst (non-overlapping, any alignment). NullPointer
// when either pointer is null, BadSize for a count below 1; nothing is written then.
ImageOpStatus CopyIntsSse2(const void* src, void* dst, std::int64_t count);
