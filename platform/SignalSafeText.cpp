#include "platform/SignalSafeText.h"

SignalSafeText& SignalSafeText::Add(const char* text) {
  if (text == nullptr) return *this;
  while (*text != '\0' && length_ < kCapacity) text_[length_++] = *text++;
  text_[length_] = '\0';
  return *this;
}

SignalSafeText& SignalSafeText::Add(const char* text, size_t length) {
  for (size_t i = 0; i < length && length_ < kCapacity; ++i) text_[length_++] = text[i];
  text_[length_] = '\0';
  return *this;
}

SignalSafeText& SignalSafeText::Add(char c) { return Add(&c, 1); }

SignalSafeText& SignalSafeText::Hex(uint64_t value, int digits) {
  char reversed[16];
  int count = 0;
  do {
    reversed[count++] = "0123456789ABCDEF"[value & 0xF];
    value >>= 4;
  } while (value != 0);
  for (int i = count; i < digits && i < 16; ++i) Add('0');
  while (count > 0) Add(reversed[--count]);
  return *this;
}

SignalSafeText& SignalSafeText::Dec(int64_t value, int digits) {
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  if (value < 0) Add('-');
  char reversed[20];
  int count = 0;
  do {
    reversed[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  for (int i = count; i < digits && i < 20; ++i) Add('0');
  while (count > 0) Add(reversed[--count]);
  return *this;
}

void SignalSafeText::Clear() {
  length_ = 0;
  text_[0] = '\0';
}
