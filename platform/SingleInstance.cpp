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

using Clock = SingleInstance::Clock;

constexpr char kRequest[] = "raise\n";
constexpr char kAnswer[] = "ok\n";
// Connections kept waiting for their request; more stay in the listen queue, so that a flood
// of silent connections cannot use up this process's descriptors.
constexpr size_t kMostWaiting = 8;

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
  for (const Waiting& connection : waiting_) close(connection.fd);
  waiting_.clear();
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
    const Clock::time_point deadline = Clock::now() + answerWait;
    RaiseRequest request(socketPath_);
    if (!request.Connect(deadline)) return Outcome::OtherUnreachable;
    request.Send();
    return request.Answered(deadline) ? Outcome::RaisedOther : Outcome::OtherUnreachable;
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

SingleInstance::RaiseRequest::~RaiseRequest() {
  if (fd_ >= 0) close(fd_);
}

bool SingleInstance::RaiseRequest::Connect(Clock::time_point deadline) {
  sockaddr_un address;
  if (fd_ >= 0 || !FillAddress(socketPath_, address)) return false;
  // Nothing here blocks: the first copy may be stopped with its listen queue full, and then a
  // blocking connect would wait for ever.
  for (;;) {
    fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) return false;
    if (connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return true;
    close(fd_);
    fd_ = -1;
    // The queue is full (EAGAIN), or the first copy took its lock and does not listen yet.
    const int left = MillisecondsLeft(deadline);
    if (left == 0) return false;
    const timespec pause{0, std::min(left, 50) * 1000L * 1000L};
    nanosleep(&pause, nullptr);
  }
}

void SingleInstance::RaiseRequest::Send() {
  // Whether the write went through is left to the answer: only the answer shows the first copy
  // alive, and one that answered and closed before the write still left its answer to read.
  if (fd_ >= 0) send(fd_, kRequest, sizeof kRequest - 1, MSG_NOSIGNAL | MSG_DONTWAIT);
}

bool SingleInstance::RaiseRequest::Answered(Clock::time_point deadline) {
  if (fd_ < 0) return false;
  for (int left = MillisecondsLeft(deadline);; left = MillisecondsLeft(deadline)) {
    pollfd wait{fd_, POLLIN, 0};
    const int ready = poll(&wait, 1, left);
    if (ready < 0 && errno == EINTR && left > 0) continue;
    if (ready <= 0) return false;
    // An answer that came before the first copy closed, or reset, the connection is read first.
    char answer[sizeof kAnswer - 1];
    return recv(fd_, answer, sizeof answer, MSG_DONTWAIT) > 0 && answer[0] == kAnswer[0];
  }
}

bool SingleInstance::TakeRaiseRequest() {
  if (listenFd_ < 0) return false;
  // Asked every turn of the message loop: a failed accept still makes and drops a socket in the
  // kernel, so it is tried only when a connection waits.
  pollfd queued{listenFd_, POLLIN, 0};
  if (poll(&queued, 1, 0) == 1 && (queued.revents & POLLIN) != 0) {
    while (waiting_.size() < kMostWaiting) {
      const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
      if (fd < 0) break;
      // By then the later copy has given up waiting for the answer.
      waiting_.push_back({fd, Clock::now() + kAnswerWait});
    }
  }
  // A connection is closed only once its request is read: closing before would leave a later
  // copy that writes after that unable to write, and so without its answer.
  bool requested = false;
  const Clock::time_point now = Clock::now();
  for (auto connection = waiting_.begin(); connection != waiting_.end();) {
    char request[sizeof kRequest - 1];
    const ssize_t got = recv(connection->fd, request, sizeof request, MSG_DONTWAIT);
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && now < connection->giveUp) {
      ++connection;
      continue;
    }
    if (got > 0 && request[0] == kRequest[0]) {
      requested = true;
      send(connection->fd, kAnswer, sizeof kAnswer - 1, MSG_NOSIGNAL | MSG_DONTWAIT);
    }
    close(connection->fd);
    connection = waiting_.erase(connection);
  }
  return requested;
}
