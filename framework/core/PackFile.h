#pragma once
// The asset pack (or the executable's embedded pack) as a resource module. The table is
// checked when the pack opens: a damaged table refuses the whole pack; an entry that points
// outside the file, is out of order or duplicated is dropped; an entry whose data fails its
// CRC-32 reads as missing from its first lookup on.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/ResourceModule.h"
#include "platform/FileSnapshot.h"

class PackFile : public ResourceModule {
 public:
  PackFile() = default;
  PackFile(const PackFile&) = delete;
  PackFile& operator=(const PackFile&) = delete;

  // Largest pack file Open reads.
  static constexpr size_t kMaxFileBytes = 256u << 20;

  // Reads the whole file into read-only memory, so a pack changed or cut short on disk while
  // the game runs cannot affect it; false when it is missing, not a regular file, too large,
  // or its header or table is damaged.
  bool Open(const std::string& path);
  // Reads a pack that the caller keeps alive (the executable's embedded resources).
  bool OpenMemory(const uint8_t* data, size_t size);
  void Close();

  bool IsOpen() const { return data_ != nullptr; }
  // Entries that passed the checks at open.
  size_t Count() const { return entries_.size(); }

  Bytes Find(std::string_view type, uint32_t id) const override;

 private:
  enum class Check : uint8_t { kUnchecked, kGood, kBad };
  struct Entry {
    char type[9];
    uint32_t id;
    uint32_t offset;
    uint32_t size;
    uint32_t crc;
    mutable Check check;
  };

  bool ReadTable();

  FileSnapshot file_;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  std::vector<Entry> entries_;
};
