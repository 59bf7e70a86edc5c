#pragma once
// A line of text built in a fixed buffer without allocation, locale or stdio, so that a signal
// handler may format with it. Text beyond the capacity is dropped; the buffer stays terminated.
#include <cstddef>
#include <cstdint>

class SignalSafeText {
public:
  static constexpr size_t kCapacity = 1024;

  SignalSafeText& Add(const char* text);
  SignalSafeText& Add(const char* text, size_t length);
  SignalSafeText& Add(char c);
  // Upper-case hexadecimal, zero-padded to at least `digits`.
  SignalSafeText& Hex(uint64_t value, int digits);
  // Decimal, zero-padded to at least `digits` (a minus sign comes first).
  SignalSafeText& Dec(int64_t value, int digits = 1);
  void Clear();

  const char* Text() const { return text_; }
  size_t Length() const { return length_; }

private:
  char text_[kCapacity + 1] = {};
  size_t length_ = 0;
};
