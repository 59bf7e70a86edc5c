#include "framework/core/PackFormat.h"

bool IsValidPackType(std::string_view type) {
  if (type.empty() || type.size() > kPackTypeSize) return false;
  for (char c : type) {
    if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}
