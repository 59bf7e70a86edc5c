#include "platform/NumberFormat.h"

#include <climits>
#include <clocale>
#include <cstdio>

std::string GroupDigits(std::string_view digits, const char* grouping, const char* separator) {
  if (!grouping || !separator || !*separator) return std::string(digits);
  std::string out;
  size_t end = digits.size();
  size_t size = 0;
  const char* next = grouping;
  while (end > 0) {
    if (*next == CHAR_MAX) {
      size = end;  // no grouping beyond this point
    } else if (*next != 0) {
      size = static_cast<unsigned char>(*next++);
    }  // at the terminating 0 the last size repeats
    if (size == 0 || size > end) size = end;
    out.insert(0, digits.substr(end - size, size));
    end -= size;
    if (end > 0) out.insert(0, separator);
  }
  return out;
}

std::string FormatLocaleInteger(long value) {
  char digits[32];
  const unsigned long magnitude =
      value < 0 ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
  std::snprintf(digits, sizeof digits, "%lu", magnitude);
  const lconv* conventions = std::localeconv();
  std::string text = GroupDigits(digits, conventions->grouping, conventions->thousands_sep);
  return value < 0 ? "-" + text : text;
}
