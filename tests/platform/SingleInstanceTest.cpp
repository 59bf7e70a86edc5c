#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "ScratchFolder.h"

namespace {

// The first copy's main loop, answering requests until stopped.
class AnsweringLoop {
 public:
  explicit AnsweringLoop(SingleInstance& first)
      : thread_([this, &first] {
          while (!stop_) {
            if (first.TakeRaiseRequest()) ++taken_;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
          }
        }) {}
  ~AnsweringLoop() { Stop(); }
  // How many calls found requests.
  int Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return taken_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<int> taken_{0};
  std::thread thread_;
};

TEST(SingleInstanceTest, SecondCopyAsksTheFirstToComeForward) {
  ScratchFolder folder;
  SingleInstance first;
  ASSERT_EQ(first.Acquire(folder.Path(), "Quillomar"), SingleInstance::Outcome::First);
  EXPECT_FALSE(first.TakeRaiseRequest());

  SingleInstance second;
  AnsweringLoop loop(first);
  EXPECT_EQ(second.Acquire(folder.Path(), "Quillomar"), SingleInstance::Outcome::RaisedOther);
  EXPECT_EQ(second.Acquire(folder.Path(), "Quillomar"), SingleInstance::Outcome::RaisedOther);
  EXPECT_GE(loop.Stop(), 1);
  EXPECT_FALSE(first.TakeRaiseRequest());

  // Another name is another program.
  SingleInstance other;
  EXPECT_EQ(other.Acquire(folder.Path(), "Other"), SingleInstance::Outcome::First);
}

TEST(SingleInstanceTest, ARequestWrittenAfterTheFirstCopysTurnIsAnswered) {
  ScratchFolder folder;
  SingleInstance first;
  ASSERT_EQ(first.Acquire(folder.Path(), "Quillomar"), SingleInstance::Outcome::First);
  const auto deadline = SingleInstance::Clock::now() + SingleInstance::kAnswerWait;
  SingleInstance::RaiseRequest later(folder / "Quillomar.sock");
  ASSERT_TRUE(later.Connect(deadline));
  EXPECT_FALSE(first.TakeRaiseRequest());
  later.Send();
  EXPECT_TRUE(first.TakeRaiseRequest());
  EXPECT_TRUE(later.Answered(deadline));
}

TEST(SingleInstanceTest, TheLockPassesOnWhenTheFirstCopyEnds) {
  ScratchFolder folder;
  {
    SingleInstance first;
    ASSERT_EQ(first.Acquire(folder.Path(), "Quillomar"), SingleInstance::Outcome::First);
  }
  EXPECT_FALSE(access((folder / "Quillomar.sock").c_str(), F_OK) == 0);
  SingleInstance next;
  EXPECT_EQ(next.Acquire(folder.Path(), "Quillomar"), SingleInstance::Outcome::First);
}

TEST(SingleInstanceTest, StaleSocketOfAnEndedCopyIsReplaced) {
  ScratchFolder folder;
  const int stale = open((folder / "Quillomar.sock").c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(stale, 0);
  close(stale);
  SingleInstance first;
  ASSERT_EQ(first.Acquire(folder.Path(), "Quillomar"), SingleInstance::Outcome::First);
  SingleInstance second;
  AnsweringLoop loop(first);
  EXPECT_EQ(second.Acquire(folder.Path(), "Quillomar"), SingleInstance::Outcome::RaisedOther);
  EXPECT_EQ(loop.Stop(), 1);
}

TEST(SingleInstanceTest, AStoppedFirstCopyIsUnreachableAndNoLaunchHangs) {
  ScratchFolder folder;
  SingleInstance first;
  ASSERT_EQ(first.Acquire(folder.Path(), "Quillomar"), SingleInstance::Outcome::First);
  // It never runs its loop: every later launch fills its listen queue a little more.
  for (int launch = 1; launch <= 6; ++launch) {
    SingleInstance later;
    EXPECT_EQ(later.Acquire(folder.Path(), "Quillomar", std::chrono::milliseconds(200)),
              SingleInstance::Outcome::OtherUnreachable)
        << "launch " << launch;
  }
}

TEST(SingleInstanceTest, HolderThatDoesNotListenIsUnreachable) {
  ScratchFolder folder;
  const int fd = open((folder / "Quillomar.lock").c_str(), O_CREAT | O_RDWR, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  SingleInstance second;
  EXPECT_EQ(second.Acquire(folder.Path(), "Quillomar"), SingleInstance::Outcome::OtherUnreachable);
  close(fd);
}

TEST(SingleInstanceTest, NoFolderMeansUnchecked) {
  SingleInstance instance;
  EXPECT_EQ(instance.Acquire("", "Quillomar"), SingleInstance::Outcome::Unchecked);
  EXPECT_EQ(instance.Acquire("/nonexistent/folder", "Quillomar"), SingleInstance::Outcome::Unchecked);
  EXPECT_FALSE(instance.TakeRaiseRequest());
}

TEST(SingleInstanceTest, LockIsNotInheritedByStartedPrograms) {
  ScratchFolder folder;
  SingleInstance first;
  ASSERT_EQ(first.Acquire(folder.Path(), "Quillomar"), SingleInstance::Outcome::First);
  // Every descriptor the lock and the socket use is closed on exec.
  for (int fd = 3; fd < 256; ++fd) {
    const int flags = fcntl(fd, F_GETFD);
    if (flags < 0) continue;
    char link[64];
    char target[512] = {};
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    if (readlink(link, target, sizeof target - 1) <= 0) continue;
    const std::string name(target);
    if (name.find(folder.Path()) != std::string::npos || name.find("socket:") == 0) {
      EXPECT_NE(flags & FD_CLOEXEC, 0) << name;
    }
  }
}

}  // namespace
