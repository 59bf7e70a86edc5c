#include "platform/RuntimeFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

bool EnsurePrivateFolder(const std::string& path) {
  if (path.empty()) return false;
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  const bool ok = fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
                  (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
  close(fd);
  return ok;
}

std::string RuntimeFolder(std::string_view name) {
  std::string folder;
  const char* home = std::getenv("QUILLOMAR_HOME");
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (home != nullptr && home[0] == '/') {
    if (!EnsurePrivateFolder(home)) return {};
    folder = std::string(home) + "/run";
  } else if (runtime != nullptr && runtime[0] == '/') {
    folder = std::string(runtime) + "/" + std::string(name);
  } else {
    folder = "/tmp/" + std::string(name) + "-" + std::to_string(geteuid());
  }
  return EnsurePrivateFolder(folder) ? folder : std::string();
}
