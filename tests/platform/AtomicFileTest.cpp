#include "platform/AtomicFile.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("qm_atomic_" + std::to_string(getpid()));
    fs::create_directories(folder_);
    target_ = (folder_ / "settings.ini").string();
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Read() {
    std::ifstream in(target_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  size_t FileCount() { return static_cast<size_t>(std::distance(fs::directory_iterator(folder_), {})); }

  fs::path folder_;
  std::string target_;
};

TEST_F(AtomicFileTest, CommitReplacesTheTarget) {
  std::ofstream(target_) << "old";
  AtomicFile file;
  ASSERT_TRUE(file.Open(target_));
  EXPECT_TRUE(file.Write("new", 3));
  EXPECT_EQ(Read(), "old");
  EXPECT_TRUE(file.Commit());
  EXPECT_EQ(Read(), "new");
  EXPECT_EQ(FileCount(), 1u);
}

TEST_F(AtomicFileTest, ReplacedFileKeepsItsPermissionsWhileNewFilesAndLinksFollowTheUmask) {
  const std::string fresh = (folder_ / "new").string();
  const std::string link = (folder_ / "link").string();
  const std::string planted = (folder_ / "planted").string();
  std::ofstream(target_) << "old";
  std::ofstream(planted) << "planted";
  ASSERT_EQ(chmod(target_.c_str(), 04640), 0);
  ASSERT_EQ(chmod(planted.c_str(), 06777), 0);
  ASSERT_EQ(symlink(planted.c_str(), link.c_str()), 0);
  for (const std::string& path : {target_, fresh, link}) {
    AtomicFile file;
    ASSERT_TRUE(file.Open(path));
    EXPECT_TRUE(file.Commit());
  }
  const mode_t mask = umask(0);
  umask(mask);
  struct stat info;
  ASSERT_EQ(stat(target_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  for (const std::string& path : {fresh, link}) {
    ASSERT_EQ(lstat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 07777, 0644u & ~mask);
  }
  ASSERT_EQ(stat(planted.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 06777u);
}

TEST_F(AtomicFileTest, AbandonedWriteLeavesTheOldFile) {
  std::ofstream(target_) << "old";
  {
    AtomicFile file;
    ASSERT_TRUE(file.Open(target_));
    file.Write("partial", 7);
  }
  EXPECT_EQ(Read(), "old");
  EXPECT_EQ(FileCount(), 1u);
}

TEST_F(AtomicFileTest, ProcessKilledMidWriteLeavesTheOldFile) {
  std::ofstream(target_) << "old";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    AtomicFile file;
    if (file.Open(target_)) {
      file.Write("half of the new", 15);
      fflush(file.File());
    }
    _exit(0);  // dies without committing or cleaning up
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(Read(), "old");
  EXPECT_EQ(FileCount(), 2u);  // the abandoned temporary file stays beside it, unused
}

TEST_F(AtomicFileTest, AFolderThatCannotBeSyncedStillCommits) {
  // A folder its user may write but not read cannot be opened to sync it. Root reads it anyway,
  // so the write runs in a child with an ordinary user's ids.
  const bool root = geteuid() == 0;
  std::ofstream(target_) << "old";
  if (root) {
    ASSERT_EQ(chown(folder_.c_str(), 65534, 65534), 0);
  }
  ASSERT_EQ(chmod(folder_.c_str(), 0300), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (root && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
    AtomicFile file;
    _exit(file.Open(target_) && file.Write("new", 3) && file.Commit() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_EQ(chmod(folder_.c_str(), 0700), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Read(), "new");
  EXPECT_EQ(FileCount(), 1u);
}

TEST_F(AtomicFileTest, UnwritableFolderOrAFolderInTheTargetsPlaceFails) {
  AtomicFile file;
  EXPECT_FALSE(file.Open((folder_ / "missing" / "x").string()));
  EXPECT_FALSE(file.Write("x", 1));
  EXPECT_FALSE(file.Commit());

  fs::create_directory(target_);
  ASSERT_TRUE(file.Open(target_));
  EXPECT_TRUE(file.Write("new", 3));
  EXPECT_FALSE(file.Commit());  // the rename cannot replace a folder
  EXPECT_TRUE(fs::is_directory(target_));
  EXPECT_EQ(FileCount(), 1u);
}

}  // namespace
