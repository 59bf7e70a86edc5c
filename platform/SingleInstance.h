#pragma once
// One running copy per user: the first copy holds a lock file in the run-time folder and listens
// on a local socket beside it; a later copy that finds the lock taken asks the first, through the
// socket, to bring its window forward.
#include <string>
#include <string_view>

class SingleInstance {
public:
  enum class Outcome {
    First,             // this copy holds the lock and listens for requests
    RaisedOther,       // another copy holds it and was asked to come forward
    OtherUnreachable,  // another copy holds it but does not answer on its socket
    Unchecked,         // no lock could be made (no usable folder): run unchecked
  };

  SingleInstance() = default;
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  ~SingleInstance();

  // `folder` must be a private folder; `name` names the lock ("<name>.lock") and the socket
  // ("<name>.sock") in it.
  Outcome Acquire(const std::string& folder, std::string_view name);

  // For the first copy: true when at least one request to come forward arrived since the last
  // call. Never blocks.
  bool TakeRaiseRequest();

  // Gives up the lock and the socket.
  void Release();

private:
  bool Listen();
  static bool AskToRaise(const std::string& socketPath);

  int lockFd_ = -1;
  int listenFd_ = -1;
  std::string socketPath_;
};
