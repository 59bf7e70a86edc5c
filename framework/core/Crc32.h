#pragma once
// The standard reflected CRC-32 (polynomial 0xEDB88320), shared by the record streams and the
// asset pack.
#include <cstddef>
#include <cstdint>

// One table step; the register is neither complemented before nor after.
void Crc32UpdateByte(uint8_t byte, uint32_t* crc);

// Folds a block into a running CRC: complement, one table step per byte, complement again.
// Started from 0 this is the whole-buffer CRC-32; a non-positive length changes nothing.
void Crc32Update(uint32_t* crc, const void* data, long length);

// Convenience for a whole buffer: Crc32Update started from 0.
uint32_t Crc32(const void* data, size_t length);
