#include "tests/assets/BuiltPack.h"

const PackFile* BuiltPack() {
  static PackFile pack;
  static const bool open = pack.Open(QM_PACK_PATH);
  return open ? &pack : nullptr;
}

std::string PackedString(uint32_t id) {
  const PackFile* pack = BuiltPack();
  if (pack == nullptr) return {};
  ResourceModule::Bytes bytes = pack->Find(kStringTableType, id);
  return std::string(bytes.begin(), bytes.end());
}
