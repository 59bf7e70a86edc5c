#include "platform/XdgFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string Home() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return "/tmp";
}

// The override folder's part, the variable's value, or the default below the home folder.
// XDG says relative values are invalid and must be ignored.
std::string Resolve(const char* overridePart, const char* variable, const char* homeRelative) {
  const std::string testHome = Environment("QUILLOMAR_HOME");
  if (!testHome.empty()) return testHome + "/" + overridePart;
  const std::string value = Environment(variable);
  if (!value.empty() && value[0] == '/') return value;
  return Home() + "/" + homeRelative;
}

}  // namespace

std::string XdgConfigHome() { return Resolve("config", "XDG_CONFIG_HOME", ".config"); }
std::string XdgDataHome() { return Resolve("data", "XDG_DATA_HOME", ".local/share"); }
std::string XdgCacheHome() { return Resolve("cache", "XDG_CACHE_HOME", ".cache"); }

std::string XdgMachineConfig() {
  const std::string testHome = Environment("QUILLOMAR_HOME");
  return testHome.empty() ? std::string("/etc/xdg") : testHome + "/machine";
}

bool CreateUserFolder(const std::string& path) {
  if (path.empty()) return false;
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    mkdir(path.substr(0, slash).c_str(), 0700);  // an existing parent is fine; the last test tells
  }
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
