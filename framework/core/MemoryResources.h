#pragma once
// A resource module held in memory: what tests and tools build resources with.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/core/ResourceModule.h"

class MemoryResources : public ResourceModule {
 public:
  // Adds or replaces a resource.
  void Add(std::string_view type, uint32_t id, std::vector<uint8_t> bytes);
  void Add(std::string_view type, uint32_t id, std::string_view bytes);
  // A string-table entry; the text is stored as given (Windows-1252).
  void AddString(uint32_t id, std::string_view text);

  Bytes Find(std::string_view type, uint32_t id) const override;

 private:
  std::map<std::pair<std::string, uint32_t>, std::vector<uint8_t>, std::less<>> entries_;
};
