#pragma once
// One running copy per user: the first copy holds a lock file in the run-time folder and listens
// on a local socket beside it; a later copy that finds the lock taken asks the first, through the
// socket, to bring its window forward, and waits a bounded time for its answer: a first copy
// that is stopped or stuck still takes connections into its listen queue, so only the answer
// shows that it is alive. The first copy answers a request once it has read it and closes only
// then, so neither side depends on which of them moves first.
#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class SingleInstance {
public:
  enum class Outcome {
    First,             // this copy holds the lock and listens for requests
    RaisedOther,       // another copy holds it and answered the request to come forward
    OtherUnreachable,  // another copy holds it but did not answer in time
    Unchecked,         // no lock could be made (no usable folder): run unchecked
  };

  SingleInstance() = default;
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  ~SingleInstance();

  using Clock = std::chrono::steady_clock;

  // How long a later copy waits for the first copy to answer.
  static constexpr std::chrono::milliseconds kAnswerWait{2000};

  // A later copy's request, in the steps Acquire takes one after the other.
  class RaiseRequest {
  public:
    explicit RaiseRequest(std::string socketPath) : socketPath_(std::move(socketPath)) {}
    ~RaiseRequest();
    RaiseRequest(const RaiseRequest&) = delete;
    RaiseRequest& operator=(const RaiseRequest&) = delete;

    // Connects without blocking, trying again until `deadline` while the first copy's queue is
    // full or it does not listen yet.
    bool Connect(Clock::time_point deadline);
    void Send();
    // True when the first copy answered by `deadline`.
    bool Answered(Clock::time_point deadline);

  private:
    std::string socketPath_;
    int fd_ = -1;
  };

  // `folder` must be a private folder; `name` names the lock ("<name>.lock") and the socket
  // ("<name>.sock") in it. Returns within about `answerWait` whatever the first copy does.
  Outcome Acquire(const std::string& folder, std::string_view name,
                  std::chrono::milliseconds answerWait = kAnswerWait);

  // For the first copy: answers every request to come forward that arrived since the last
  // call; true when there was at least one. Never blocks. A connection whose request has not
  // come yet is kept for a later call.
  bool TakeRaiseRequest();

  // True while this copy holds the lock: no other copy is running.
  bool HoldsLock() const { return lockFd_ >= 0; }

  // Gives up the lock and the socket.
  void Release();

private:
  struct Waiting {
    int fd;
    Clock::time_point giveUp;
  };

  bool Listen();

  int lockFd_ = -1;
  int listenFd_ = -1;
  std::string socketPath_;
  std::vector<Waiting> waiting_;
};
