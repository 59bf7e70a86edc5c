#include "platform/RuntimeFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "EnvironmentGuard.h"
#include "ScratchFolder.h"

namespace {

TEST(RuntimeFolderTest, HomeVariableMovesTheFolderAndItIsPrivate) {
  ScratchFolder home;
  EnvironmentGuard guard("QUILLOMAR_HOME");
  setenv("QUILLOMAR_HOME", home.Path().c_str(), 1);
  const std::string folder = RuntimeFolder("quillomar");
  EXPECT_EQ(folder, home / "run");
  struct stat info;
  ASSERT_EQ(stat(folder.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(RuntimeFolderTest, RuntimeDirectoryIsUsedWithoutTheHomeVariable) {
  ScratchFolder runtime;
  EnvironmentGuard home("QUILLOMAR_HOME");
  EnvironmentGuard xdg("XDG_RUNTIME_DIR");
  unsetenv("QUILLOMAR_HOME");
  setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
  EXPECT_EQ(RuntimeFolder("quillomar"), runtime / "quillomar");
  // A relative value is not trusted.
  setenv("XDG_RUNTIME_DIR", "relative", 1);
  const std::string fallback = RuntimeFolder("quillomar-test");
  EXPECT_EQ(fallback, "/tmp/quillomar-test-" + std::to_string(geteuid()));
  rmdir(fallback.c_str());
}

TEST(RuntimeFolderTest, SharedOrLinkedFoldersAreRefused) {
  ScratchFolder scratch;
  const std::string open = scratch / "open";
  ASSERT_EQ(mkdir(open.c_str(), 0700), 0);
  ASSERT_EQ(chmod(open.c_str(), 0777), 0);
  EXPECT_FALSE(EnsurePrivateFolder(open));
  const std::string link = scratch / "link";
  const std::string target = scratch / "target";
  ASSERT_EQ(mkdir(target.c_str(), 0700), 0);
  ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
  EXPECT_FALSE(EnsurePrivateFolder(link));
  EXPECT_TRUE(EnsurePrivateFolder(target));
  EXPECT_FALSE(EnsurePrivateFolder(""));
  EXPECT_FALSE(EnsurePrivateFolder(scratch / "missing/deeper"));
}

}  // namespace
