#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "ScratchFolder.h"

namespace {

TEST(SingleInstanceTest, SecondCopyAsksTheFirstToComeForward) {
  ScratchFolder folder;
  SingleInstance first;
  ASSERT_EQ(first.Acquire(folder.Path(), "Quillomar"), SingleInstance::Outcome::First);
  EXPECT_FALSE(first.TakeRaiseRequest());

  SingleInstance second;
  EXPECT_EQ(second.Acquire(folder.Path(), "Quillomar"), SingleInstance::Outcome::RaisedOther);
  EXPECT_EQ(second.Acquire(folder.Path(), "Quillomar"), SingleInstance::Outcome::RaisedOther);
  EXPECT_TRUE(first.TakeRaiseRequest());
  EXPECT_FALSE(first.TakeRaiseRequest());

  // Another name is another program.
  SingleInstance other;
  EXPECT_EQ(other.Acquire(folder.Path(), "Other"), SingleInstance::Outcome::First);
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
  EXPECT_EQ(second.Acquire(folder.Path(), "Quillomar"), SingleInstance::Outcome::RaisedOther);
  EXPECT_TRUE(first.TakeRaiseRequest());
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
