#pragma once
// The one way the game reads a file: opened without blocking (a FIFO or a device in its place
// must not hang the game), then read whole only when it is a regular file no larger than the
// caller's cap. Files the game writes itself are read without following a link in the last
// component, since the writer replaces a link rather than writing through it; data the user
// placed may be a link.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class FileLinks { kFollow, kRefuse };

enum class FileRead {
  kRead,     // the whole file is in the buffer
  kMissing,  // no such file
  kRefused,  // there is something, but not a readable regular file within the cap
};

FileRead ReadRegularFile(const std::string& path, size_t maxBytes, FileLinks links, std::vector<uint8_t>* bytes);
FileRead ReadRegularFile(const std::string& path, size_t maxBytes, FileLinks links, std::string* text);

// True when `path` names a regular file; looks at the name only, never opens it.
bool IsRegularFile(const std::string& path, FileLinks links);
