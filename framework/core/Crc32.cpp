#include "framework/core/Crc32.h"

#include <array>

namespace {

constexpr std::array<uint32_t, 256> MakeTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<uint32_t, 256> kTable = MakeTable();
static_assert(kTable[1] == 0x77073096u);

}  // namespace

void Crc32UpdateByte(uint8_t byte, uint32_t* crc) {
  *crc = kTable[(*crc ^ byte) & 0xFF] ^ (*crc >> 8);
}

void Crc32Update(uint32_t* crc, const void* data, long length) {
  uint32_t c = ~*crc;
  const auto* bytes = static_cast<const uint8_t*>(data);
  for (long i = 0; i < length; ++i) c = kTable[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
  *crc = ~c;
}

uint32_t Crc32(const void* data, size_t length) {
  uint32_t c = 0xFFFFFFFFu;
  const auto* bytes = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < length; ++i) c = kTable[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
  return ~c;
}
