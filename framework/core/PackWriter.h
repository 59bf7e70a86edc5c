#pragma once
// Builds a resource pack in memory. Clashing (type, id) pairs and invalid type names are
// refused, so the pack never holds an entry a reader could not find.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

class PackWriter {
 public:
  // False (nothing added) for an invalid type, a (type, id) already present, or data of 4 GB
  // or more.
  bool Add(const std::string& type, uint32_t id, std::vector<uint8_t> data);
  bool Contains(const std::string& type, uint32_t id) const;
  size_t Count() const { return entries_.size(); }

  // The pack's bytes; empty when it would not fit the 32-bit offsets.
  std::vector<uint8_t> Build() const;

 private:
  std::map<std::pair<std::string, uint32_t>, std::vector<uint8_t>> entries_;
};
