#include "platform/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kTempLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// The letters CreateTemp puts in place of "XXXXXX".
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

// Creates `prefix` followed by six random letters, as mkstemp does, but with `mode` less the
// umask (or as the folder's default ACL has it), where mkstemp always makes 0600.
int CreateTemp(const std::string& prefix, mode_t mode, std::string* path) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    unsigned char bytes[6];
    if (getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) return -1;
    std::string name = prefix;
    for (const unsigned char byte : bytes) name += kTempLetters[byte % (sizeof kTempLetters - 1)];
    const int fd = open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) *path = name;
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Makes a rename in `folder` survive a power loss.
bool SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = fsync(fd) == 0;
  close(fd);
  return ok;
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
  // A replaced file keeps its permissions; the temporary file is private until it has them. A
  // link in the target's place lends nothing, since the rename replaces the link itself, and the
  // setuid, setgid and sticky bits are never carried into a file this program wrote.
  struct stat old;
  const bool replaces = lstat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  std::string temp;
  const int fd = CreateTemp(folder + "." + name + ".", replaces ? S_IRUSR | S_IWUSR : 0644, &temp);
  if (fd < 0) return false;
  file_ = !replaces || fchmod(fd, old.st_mode & 0777) == 0 ? fdopen(fd, "wb") : nullptr;
  if (!file_) {
    close(fd);
    unlink(temp.c_str());
    return false;
  }
  temp_ = temp;
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
  const bool renamed = ok && rename(temp_.c_str(), target_.c_str()) == 0;
  if (!renamed) unlink(temp_.c_str());
  temp_.clear();
  if (!renamed) return false;
  // The new contents are in place: a folder that cannot be synced (one its user may write but
  // not read, a file system without folder syncs) only leaves the rename less sure to outlast a
  // power loss, which is worth one note rather than a save reported as lost.
  const size_t slash = target_.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target_.substr(0, slash + 1);
  static std::atomic<bool> noted{false};
  if (!SyncFolder(folder) && !noted.exchange(true)) {
    std::fprintf(stderr, "%s: could not sync the folder %s (%s); files saved there may not outlast a power loss\n",
                 program_invocation_short_name, folder.c_str(), std::strerror(errno));
  }
  return true;
}

void AtomicFile::Discard() {
  if (!file_) return;
  fclose(file_);
  file_ = nullptr;
  unlink(temp_.c_str());
  temp_.clear();
}
