#pragma once
// The resource pack's layout, shared by the packer and the reader. All numbers little-endian.
//
//   header, 32 bytes: "QMPK", version (4 bytes), entry count (4), CRC-32 of the table (4),
//                     20 zero bytes
//   table:            one 24-byte entry per resource, sorted by type name then id:
//                     type name (8 bytes, upper-case letters and digits, NUL-padded), id (4),
//                     data offset (4), data size (4), CRC-32 of the data (4)
//   data:             each resource's bytes, starting on an 8-byte boundary
#include <cstddef>
#include <cstdint>
#include <string_view>

inline constexpr char kPackMagic[4] = {'Q', 'M', 'P', 'K'};
inline constexpr uint32_t kPackVersion = 1;
inline constexpr size_t kPackHeaderSize = 32;
inline constexpr size_t kPackEntrySize = 24;
inline constexpr size_t kPackTypeSize = 8;
inline constexpr size_t kPackAlignment = 8;

// A type name the pack can hold: 1 to 8 upper-case letters or digits.
bool IsValidPackType(std::string_view type);
