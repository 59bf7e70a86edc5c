#include "framework/core/MemoryResources.h"

void MemoryResources::Add(std::string_view type, uint32_t id, std::vector<uint8_t> bytes) {
  entries_[{std::string(type), id}] = std::move(bytes);
}

void MemoryResources::Add(std::string_view type, uint32_t id, std::string_view bytes) {
  Add(type, id, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

void MemoryResources::AddString(uint32_t id, std::string_view text) { Add(kStringTableType, id, text); }

ResourceModule::Bytes MemoryResources::Find(std::string_view type, uint32_t id) const {
  const auto found = entries_.find(std::pair<std::string, uint32_t>(std::string(type), id));
  if (found == entries_.end()) return {};
  return Bytes(found->second.data(), found->second.size());
}
