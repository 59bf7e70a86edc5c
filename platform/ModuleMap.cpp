#include "platform/ModuleMap.h"

namespace {

// Parses hexadecimal digits at text[*pos]; false when there are none.
bool ParseHex(const char* text, size_t end, size_t* pos, uint64_t* value) {
  uint64_t result = 0;
  size_t start = *pos;
  while (*pos < end) {
    const char c = text[*pos];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else break;
    result = (result << 4) | static_cast<uint64_t>(digit);
    ++*pos;
  }
  *value = result;
  return *pos > start;
}

// Skips `count` blank-separated fields.
void SkipFields(const char* text, size_t end, size_t* pos, int count) {
  for (int i = 0; i < count; ++i) {
    while (*pos < end && text[*pos] == ' ') ++*pos;
    while (*pos < end && text[*pos] != ' ') ++*pos;
  }
  while (*pos < end && text[*pos] == ' ') ++*pos;
}

bool SamePath(const char* a, size_t aLength, const char* b, size_t bLength) {
  if (aLength != bLength) return false;
  for (size_t i = 0; i < aLength; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

}  // namespace

bool FindModuleInMaps(const char* maps, size_t length, uint64_t address, ModuleLocation& location) {
  const char* previousPath = nullptr;
  size_t previousLength = 0;
  uint32_t section = 0;
  size_t lineStart = 0;
  while (lineStart < length) {
    size_t lineEnd = lineStart;
    while (lineEnd < length && maps[lineEnd] != '\n') ++lineEnd;
    size_t pos = lineStart;
    uint64_t low = 0;
    uint64_t high = 0;
    if (ParseHex(maps, lineEnd, &pos, &low) && pos < lineEnd && maps[pos] == '-') {
      ++pos;
      if (ParseHex(maps, lineEnd, &pos, &high)) {
        // Fields after the range: permissions, offset, device, inode, then the path.
        SkipFields(maps, lineEnd, &pos, 4);
        const char* path = maps + pos;
        const size_t pathLength = lineEnd - pos;
        if (pathLength > 0 && SamePath(path, pathLength, previousPath, previousLength)) {
          ++section;
        } else {
          section = 1;
        }
        previousPath = path;
        previousLength = pathLength;
        if (address >= low && address < high) {
          location.section = section;
          location.offset = address - low;
          const size_t copy = pathLength < sizeof location.path - 1 ? pathLength : sizeof location.path - 1;
          for (size_t i = 0; i < copy; ++i) location.path[i] = path[i];
          location.path[copy] = '\0';
          return true;
        }
      }
    }
    lineStart = lineEnd + 1;
  }
  return false;
}
