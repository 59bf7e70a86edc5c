#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

AtomicFile::~AtomicFile() { Discard(); }

bool AtomicFile::Open(const std::string& target) {
  Discard();
  target_ = target;
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::vector<char> pattern(folder.begin(), folder.end());
  const std::string suffix = "." + name + ".XXXXXX";
  pattern.insert(pattern.end(), suffix.begin(), suffix.end());
  pattern.push_back('\0');
  const int fd = mkstemp(pattern.data());  // mode 0600
  if (fd < 0) return false;
  file_ = fdopen(fd, "wb");
  if (!file_) {
    close(fd);
    unlink(pattern.data());
    return false;
  }
  temp_ = pattern.data();
  return true;
}

bool AtomicFile::Write(const void* data, size_t size) {
  return file_ && fwrite(data, 1, size, file_) == size;
}

bool AtomicFile::Commit() {
  if (!file_) return false;
  bool ok = !ferror(file_) && fflush(file_) == 0 && fsync(fileno(file_)) == 0;
  ok = fclose(file_) == 0 && ok;
  file_ = nullptr;
  ok = ok && rename(temp_.c_str(), target_.c_str()) == 0;
  if (!ok) unlink(temp_.c_str());
  temp_.clear();
  return ok;
}

void AtomicFile::Discard() {
  if (!file_) return;
  fclose(file_);
  file_ = nullptr;
  unlink(temp_.c_str());
  temp_.clear();
}
