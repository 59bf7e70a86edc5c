#include "framework/core/TextResource.h"

#include <limits>
#include <vector>

#include "framework/core/ResourceModules.h"

bool TextResource::Open(int id, int mode, const ResourceModule* module) {
  data_ = nullptr;
  length_ = 0;
  mode_ = mode == kUtf16 ? kUtf16 : kAnsi;
  if (!module) module = AssetModule();
  if (!module || id < 0) return false;
  const ResourceModule::Bytes bytes = module->Find(kTextType, static_cast<uint32_t>(id));
  const size_t length = mode_ == kUtf16 ? bytes.size() / 2 : bytes.size();
  if (length == 0 || length > static_cast<size_t>(std::numeric_limits<int>::max())) return false;
  data_ = bytes.data();
  length_ = static_cast<int>(length);
  return true;
}

uint32_t TextResource::CharAt(int index) const {
  if (mode_ == kUtf16) {
    const size_t at = static_cast<size_t>(index) * 2;
    return static_cast<uint32_t>(data_[at] | data_[at + 1] << 8);
  }
  return data_[index];
}

bool TextResource::ReadLine(int* position, String* line) const {
  if (!position || !line || !data_ || *position < 0 || *position >= length_) return false;
  const int start = *position;
  int end = start;
  while (end < length_ && !IsLineEnd(CharAt(end))) ++end;
  if (mode_ == kUtf16) {
    std::vector<char16_t> units;
    units.reserve(static_cast<size_t>(end - start) + 1);
    for (int i = start; i < end; ++i) units.push_back(static_cast<char16_t>(CharAt(i)));
    units.push_back(0);
    line->AssignWide(units.data(), end - start);
  } else {
    line->Assign(reinterpret_cast<const char*>(data_) + start, end - start);
  }
  if (end == length_) {
    *position = length_;
    return true;
  }
  ++end;
  while (end < length_ && (CharAt(end) == '\r' || CharAt(end) == '\n')) ++end;
  *position = end;
  return true;
}
