#pragma once
// Which mapped file holds an address, from the text of /proc/self/maps. Pure and
// allocation-free, so the crash handler can use it on a buffer it read itself.
#include <cstddef>
#include <cstdint>

struct ModuleLocation {
  // 1-based number of the mapping among the mappings of the same file, in map order.
  uint32_t section = 0;
  // Offset of the address within that mapping.
  uint64_t offset = 0;
  // Path of the file, empty for anonymous memory; truncated to fit.
  char path[256] = {};
};

// False when no mapping of `maps` (length bytes, lines as the kernel writes them) holds the
// address.
bool FindModuleInMaps(const char* maps, size_t length, uint64_t address, ModuleLocation& location);
