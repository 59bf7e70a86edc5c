#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kRequest[] = "raise\n";
constexpr char kAnswer[] = "ok\n";

// Milliseconds left until `deadline`, at least 0.
int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

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

SingleInstance::Outcome SingleInstance::Acquire(const std::string& folder, std::string_view name,
                                                std::chrono::milliseconds answerWait) {
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
    return AskToRaise(socketPath_, answerWait) ? Outcome::RaisedOther : Outcome::OtherUnreachable;
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

bool SingleInstance::AskToRaise(const std::string& socketPath, std::chrono::milliseconds answerWait) {
  sockaddr_un address;
  if (!FillAddress(socketPath, address)) return false;
  const Clock::time_point deadline = Clock::now() + answerWait;
  // Nothing here blocks: the first copy may be stopped with its listen queue full, and then a
  // blocking connect would wait for ever.
  int fd = -1;
  for (;;) {
    fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) break;
    close(fd);
    fd = -1;
    // The queue is full (EAGAIN), or the first copy took its lock and does not listen yet.
    const int left = MillisecondsLeft(deadline);
    if (left == 0) return false;
    const timespec pause{0, std::min(left, 50) * 1000L * 1000L};
    nanosleep(&pause, nullptr);
  }
  bool answered = send(fd, kRequest, sizeof kRequest - 1, MSG_NOSIGNAL | MSG_DONTWAIT) == sizeof kRequest - 1;
  if (answered) {
    answered = false;
    for (int left = MillisecondsLeft(deadline);; left = MillisecondsLeft(deadline)) {
      pollfd wait{fd, POLLIN, 0};
      const int ready = poll(&wait, 1, left);
      if (ready < 0 && errno == EINTR && left > 0) continue;
      if (ready <= 0) break;
      char answer[sizeof kAnswer - 1];
      answered = recv(fd, answer, sizeof answer, MSG_DONTWAIT) > 0 && answer[0] == kAnswer[0];
      break;
    }
  }
  close(fd);
  return answered;
}

bool SingleInstance::TakeRaiseRequest() {
  if (listenFd_ < 0) return false;
  // Asked every turn of the message loop: a failed accept still makes and drops a socket in the
  // kernel, so it is tried only when a request waits.
  pollfd waiting{listenFd_, POLLIN, 0};
  if (poll(&waiting, 1, 0) != 1 || (waiting.revents & POLLIN) == 0) return false;
  bool requested = false;
  for (;;) {
    const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) break;
    requested = true;
    send(fd, kAnswer, sizeof kAnswer - 1, MSG_NOSIGNAL | MSG_DONTWAIT);
    close(fd);
  }
  return requested;
}
