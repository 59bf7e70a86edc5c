#pragma once
// Reads a "TXT" resource line by line where it lies in its module: 8-bit text (mode 1) or
// little-endian UTF-16 (mode 2, converted to the 8-bit code page). A line ends at CR, LF or
// NUL; the CR and LF characters after a line are skipped, so blank lines do not come out.
#include <cstdint>

#include "framework/core/ResourceModule.h"
#include "framework/core/String.h"

class TextResource {
 public:
  enum Mode { kAnsi = 1, kUtf16 = 2 };

  TextResource() = default;
  virtual ~TextResource() = default;

  // Mode 0 means 8-bit text; a null module means the asset pack. False when the resource is
  // missing or empty.
  bool Open(int id, int mode, const ResourceModule* module = nullptr);

  // The line at *position (in characters); false at the end, leaving `line` as it was.
  bool ReadLine(int* position, String* line) const;

  int Length() const { return length_; }

 private:
  uint32_t CharAt(int index) const;
  bool IsLineEnd(uint32_t c) const { return c == '\r' || c == '\n' || c == 0; }

  const uint8_t* data_ = nullptr;
  int length_ = 0;
  int mode_ = kAnsi;
};
