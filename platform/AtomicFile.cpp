#include "platform/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

// The letters mkstemp puts in place of "XXXXXX".
bool IsTempLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

// ".<name>.XXXXXX" with a name of at least one character.
bool IsTempName(const char* name) {
  const size_t length = std::strlen(name);
  if (length < 9 || name[0] != '.' || name[length - 7] != '.') return false;
  for (size_t i = length - 6; i < length; ++i) {
    if (!IsTempLetter(name[i])) return false;
  }
  return true;
}

}  // namespace

AtomicFile::~AtomicFile() { Discard(); }

int AtomicFile::RemoveAbandoned(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return 0;
  DIR* listing = fdopendir(fd);
  if (!listing) {
    close(fd);
    return 0;
  }
  int removed = 0;
  while (const dirent* entry = readdir(listing)) {
    if (!IsTempName(entry->d_name)) continue;
    struct stat info;
    if (fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != geteuid()) {
      continue;
    }
    if (unlinkat(fd, entry->d_name, 0) == 0) ++removed;
  }
  closedir(listing);
  return removed;
}

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
