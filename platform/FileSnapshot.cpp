#include "platform/FileSnapshot.h"

#include <sys/mman.h>

#include <cstring>
#include <vector>

#include "platform/RegularFile.h"

FileSnapshot::~FileSnapshot() { Close(); }

bool FileSnapshot::Open(const std::string& path, size_t maxBytes) {
  Close();
  std::vector<uint8_t> bytes;
  if (ReadRegularFile(path, maxBytes, FileLinks::kFollow, &bytes) != FileRead::kRead) return false;
  if (bytes.empty()) return true;
  void* address = mmap(nullptr, bytes.size(), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (address == MAP_FAILED) return false;
  std::memcpy(address, bytes.data(), bytes.size());
  if (mprotect(address, bytes.size(), PROT_READ) != 0) {
    munmap(address, bytes.size());
    return false;
  }
  data_ = static_cast<uint8_t*>(address);
  size_ = bytes.size();
  mapped_ = true;
  return true;
}

void FileSnapshot::Close() {
  if (mapped_) munmap(data_, size_);
  data_ = nullptr;
  size_ = 0;
  mapped_ = false;
}
