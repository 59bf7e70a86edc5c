#include "framework/core/PackFile.h"

#include <algorithm>
#include <cstring>

#include "framework/core/Crc32.h"
#include "framework/core/PackFormat.h"

namespace {

uint32_t Get32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

bool PackFile::Open(const std::string& path) {
  Close();
  if (!file_.Open(path, kMaxFileBytes)) return false;
  if (!OpenMemory(file_.Data(), file_.Size())) {
    file_.Close();
    return false;
  }
  return true;
}

bool PackFile::OpenMemory(const uint8_t* data, size_t size) {
  entries_.clear();
  data_ = data;
  size_ = data ? size : 0;
  if (!ReadTable()) {
    data_ = nullptr;
    size_ = 0;
    entries_.clear();
    return false;
  }
  return true;
}

void PackFile::Close() {
  entries_.clear();
  data_ = nullptr;
  size_ = 0;
  file_.Close();
}

bool PackFile::ReadTable() {
  if (!data_ || size_ < kPackHeaderSize || std::memcmp(data_, kPackMagic, 4) != 0) return false;
  if (Get32(data_ + 4) != kPackVersion) return false;
  const uint64_t count = Get32(data_ + 8);
  const uint64_t tableEnd = kPackHeaderSize + count * kPackEntrySize;
  if (tableEnd > size_) return false;
  if (Crc32(data_ + kPackHeaderSize, static_cast<size_t>(tableEnd - kPackHeaderSize)) != Get32(data_ + 12)) {
    return false;
  }
  entries_.reserve(static_cast<size_t>(count));
  for (uint64_t i = 0; i < count; ++i) {
    const uint8_t* p = data_ + kPackHeaderSize + i * kPackEntrySize;
    Entry entry{};
    std::memcpy(entry.type, p, kPackTypeSize);
    entry.type[kPackTypeSize] = '\0';
    const size_t typeLength = strnlen(entry.type, kPackTypeSize);
    // Padding must be all NUL, so one name has one spelling.
    bool valid = IsValidPackType(std::string_view(entry.type, typeLength));
    for (size_t k = typeLength; k < kPackTypeSize; ++k) valid = valid && p[k] == 0;
    entry.id = Get32(p + 8);
    entry.offset = Get32(p + 12);
    entry.size = Get32(p + 16);
    entry.crc = Get32(p + 20);
    entry.check = Check::kUnchecked;
    valid = valid && entry.offset >= tableEnd && static_cast<uint64_t>(entry.offset) + entry.size <= size_;
    if (!valid) continue;
    if (!entries_.empty()) {
      const Entry& last = entries_.back();
      const int order = std::strcmp(last.type, entry.type);
      if (order > 0 || (order == 0 && last.id >= entry.id)) {
        // Out of order or a duplicate: the lookup could not tell which is meant.
        if (order == 0 && last.id == entry.id) entries_.back().check = Check::kBad;
        continue;
      }
    }
    entries_.push_back(entry);
  }
  return true;
}

ResourceModule::Bytes PackFile::Find(std::string_view type, uint32_t id) const {
  if (!data_ || type.size() > kPackTypeSize) return {};
  const auto found = std::lower_bound(entries_.begin(), entries_.end(), std::make_pair(type, id),
                                      [](const Entry& e, const std::pair<std::string_view, uint32_t>& key) {
                                        const int order = std::string_view(e.type).compare(key.first);
                                        return order < 0 || (order == 0 && e.id < key.second);
                                      });
  if (found == entries_.end() || std::string_view(found->type) != type || found->id != id) return {};
  const uint8_t* bytes = data_ + found->offset;
  if (found->check == Check::kUnchecked) {
    found->check = Crc32(bytes, found->size) == found->crc ? Check::kGood : Check::kBad;
  }
  if (found->check != Check::kGood) return {};
  return Bytes(bytes, found->size);
}
