#include "framework/core/PackWriter.h"

#include <cstring>

#include "framework/core/Crc32.h"
#include "framework/core/PackFormat.h"

namespace {

void Put32(std::vector<uint8_t>* out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) (*out)[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

bool PackWriter::Add(const std::string& type, uint32_t id, std::vector<uint8_t> data) {
  if (!IsValidPackType(type) || data.size() >= 0xFFFFFFFFull || Contains(type, id)) return false;
  entries_.emplace(std::make_pair(type, id), std::move(data));
  return true;
}

bool PackWriter::Contains(const std::string& type, uint32_t id) const {
  return entries_.count({type, id}) != 0;
}

std::vector<uint8_t> PackWriter::Build() const {
  const size_t tableEnd = kPackHeaderSize + entries_.size() * kPackEntrySize;
  size_t total = tableEnd;
  for (const auto& [key, data] : entries_) {
    total = (total + kPackAlignment - 1) / kPackAlignment * kPackAlignment + data.size();
  }
  if (total > 0xFFFFFFFFull) return {};

  std::vector<uint8_t> out(tableEnd, 0);
  std::memcpy(out.data(), kPackMagic, 4);
  Put32(&out, 4, kPackVersion);
  Put32(&out, 8, static_cast<uint32_t>(entries_.size()));
  size_t slot = kPackHeaderSize;
  for (const auto& [key, data] : entries_) {
    out.resize((out.size() + kPackAlignment - 1) / kPackAlignment * kPackAlignment, 0);
    const size_t offset = out.size();
    out.insert(out.end(), data.begin(), data.end());
    std::memcpy(&out[slot], key.first.data(), key.first.size());
    Put32(&out, slot + 8, key.second);
    Put32(&out, slot + 12, static_cast<uint32_t>(offset));
    Put32(&out, slot + 16, static_cast<uint32_t>(data.size()));
    Put32(&out, slot + 20, Crc32(data.data(), data.size()));
    slot += kPackEntrySize;
  }
  Put32(&out, 12, Crc32(out.data() + kPackHeaderSize, tableEnd - kPackHeaderSize));
  return out;
}
