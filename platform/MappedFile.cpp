#include "platform/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

MappedFile::~MappedFile() { Close(); }

bool MappedFile::Open(const std::string& path) {
  Close();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  if (ok && info.st_size > 0) {
    void* address = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    ok = address != MAP_FAILED;
    if (ok) {
      data_ = static_cast<uint8_t*>(address);
      size_ = static_cast<size_t>(info.st_size);
      mapped_ = true;
    }
  }
  close(fd);
  return ok;
}

void MappedFile::Close() {
  if (mapped_) munmap(data_, size_);
  data_ = nullptr;
  size_ = 0;
  mapped_ = false;
}
