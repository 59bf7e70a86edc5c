#pragma once

#include "imageops/ImageOpStatus.h"

#include <cstdint>

// The SSE build's checked block operations, with the results of ZeroBytes and CopyInts
// (BlockFillCopy.h). Large blocks go past the caches: clearing from 20480 bytes and copying
// from 2048 elements use non-temporal stores (fenced before returning), and copies of 4096
// elements and more run page by page, each source page prefetched before it is copied.

// Sets byteCount bytes at block to zero. NullPointer for a null block, BadSize for a count
// below 1; nothing is written then.
ImageOpStatus ZeroBytesSse(void* block, std::int64_t byteCount);

// Copies count 32-bit elements from src to dst (non-overlapping, any alignment). NullPointer
// when either pointer is null, BadSize for a count below 1; nothing is written then.
ImageOpStatus CopyIntsSse(const void* src, void* dst, std::int64_t count);
