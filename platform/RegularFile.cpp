#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Opens and checks the file; the descriptor (or -1) and its size.
FileRead OpenChecked(const std::string& path, size_t maxBytes, FileLinks links, int* fd, size_t* size) {
  *fd = -1;
  // Looked at before opening, since opening some devices does something; checked again after,
  // in case the name was replaced in between.
  struct stat named;
  const int found = links == FileLinks::kRefuse ? lstat(path.c_str(), &named) : stat(path.c_str(), &named);
  if (found != 0) return errno == ENOENT || errno == ENOTDIR ? FileRead::kMissing : FileRead::kRefused;
  if (!S_ISREG(named.st_mode)) return FileRead::kRefused;
  const int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (links == FileLinks::kRefuse ? O_NOFOLLOW : 0);
  const int opened = open(path.c_str(), flags);
  if (opened < 0) return errno == ENOENT || errno == ENOTDIR ? FileRead::kMissing : FileRead::kRefused;
  struct stat info;
  if (fstat(opened, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
      static_cast<uint64_t>(info.st_size) > maxBytes) {
    close(opened);
    return FileRead::kRefused;
  }
  *fd = opened;
  *size = static_cast<size_t>(info.st_size);
  return FileRead::kRead;
}

// A file that grew while it was read is refused rather than cut short; one that shrank yields
// what is left.
template <typename Buffer>
FileRead ReadInto(const std::string& path, size_t maxBytes, FileLinks links, Buffer* buffer) {
  buffer->clear();
  int fd = -1;
  size_t expected = 0;
  const FileRead opened = OpenChecked(path, maxBytes, links, &fd, &expected);
  if (opened != FileRead::kRead) return opened;
  buffer->resize(expected + 1);
  size_t got = 0;
  bool failed = false;
  while (got < buffer->size()) {
    const ssize_t n = read(fd, buffer->data() + got, buffer->size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) failed = true;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  close(fd);
  if (failed || got > expected) {
    buffer->clear();
    return FileRead::kRefused;
  }
  buffer->resize(got);
  return FileRead::kRead;
}

}  // namespace

FileRead ReadRegularFile(const std::string& path, size_t maxBytes, FileLinks links, std::vector<uint8_t>* bytes) {
  return ReadInto(path, maxBytes, links, bytes);
}

FileRead ReadRegularFile(const std::string& path, size_t maxBytes, FileLinks links, std::string* text) {
  return ReadInto(path, maxBytes, links, text);
}

bool IsRegularFile(const std::string& path, FileLinks links) {
  struct stat info;
  const int result = links == FileLinks::kRefuse ? lstat(path.c_str(), &info) : stat(path.c_str(), &info);
  return result == 0 && S_ISREG(info.st_mode);
}
