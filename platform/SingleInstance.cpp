#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace {

bool FillAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

}  // namespace

SingleInstance::~SingleInstance() { Release(); }

void SingleInstance::Release() {
  if (listenFd_ >= 0) {
    close(listenFd_);
    listenFd_ = -1;
    unlink(socketPath_.c_str());
  }
  if (lockFd_ >= 0) {
    close(lockFd_);
    lockFd_ = -1;
  }
}

SingleInstance::Outcome SingleInstance::Acquire(const std::string& folder, std::string_view name) {
  Release();
  if (folder.empty()) return Outcome::Unchecked;
  const std::string base = folder + "/" + std::string(name);
  socketPath_ = base + ".sock";
  // Close-on-exec: a browser started by the game must not inherit the lock and outlive it.
  lockFd_ = open((base + ".lock").c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (lockFd_ < 0) return Outcome::Unchecked;
  if (flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
    const bool held = errno == EWOULDBLOCK;
    close(lockFd_);
    lockFd_ = -1;
    if (!held) return Outcome::Unchecked;
    return AskToRaise(socketPath_) ? Outcome::RaisedOther : Outcome::OtherUnreachable;
  }
  // A copy that ended without cleaning up leaves its socket behind; the lock proves it is gone.
  unlink(socketPath_.c_str());
  Listen();
  return Outcome::First;
}

bool SingleInstance::Listen() {
  sockaddr_un address;
  if (!FillAddress(socketPath_, address)) return false;
  listenFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0) return false;
  if (bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listenFd_, 4) != 0) {
    close(listenFd_);
    listenFd_ = -1;
    return false;
  }
  return true;
}

bool SingleInstance::AskToRaise(const std::string& socketPath) {
  sockaddr_un address;
  if (!FillAddress(socketPath, address)) return false;
  // The first copy takes its lock a moment before it listens: allow it up to a second.
  for (int attempt = 0; attempt < 20; ++attempt) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
      const char request[] = "raise\n";
      const bool sent = send(fd, request, sizeof request - 1, MSG_NOSIGNAL) == sizeof request - 1;
      close(fd);
      return sent;
    }
    close(fd);
    const timespec pause{0, 50 * 1000 * 1000};
    nanosleep(&pause, nullptr);
  }
  return false;
}

bool SingleInstance::TakeRaiseRequest() {
  if (listenFd_ < 0) return false;
  bool requested = false;
  for (;;) {
    const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) break;
    requested = true;
    close(fd);
  }
  return requested;
}
