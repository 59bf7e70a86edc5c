#include "platform/XdgFolders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

class XdgFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"QUILLOMAR_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "HOME"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
      unsetenv(name);
    }
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    }
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(XdgFoldersTest, DefaultsVariablesAndOverride) {
  setenv("HOME", "/home/ann", 1);
  EXPECT_EQ(XdgConfigHome(), "/home/ann/.config");
  EXPECT_EQ(XdgDataHome(), "/home/ann/.local/share");
  EXPECT_EQ(XdgCacheHome(), "/home/ann/.cache");
  EXPECT_EQ(XdgMachineConfig(), "/etc/xdg");
  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  setenv("XDG_DATA_HOME", "relative/ignored", 1);
  EXPECT_EQ(XdgConfigHome(), "/cfg");
  EXPECT_EQ(XdgDataHome(), "/home/ann/.local/share");
  setenv("QUILLOMAR_HOME", "/tmp/q", 1);
  EXPECT_EQ(XdgConfigHome(), "/tmp/q/config");
  EXPECT_EQ(XdgDataHome(), "/tmp/q/data");
  EXPECT_EQ(XdgCacheHome(), "/tmp/q/cache");
  EXPECT_EQ(XdgMachineConfig(), "/tmp/q/machine");
}

TEST_F(XdgFoldersTest, CreatesPrivateFoldersWithParents) {
  const auto base = std::filesystem::temp_directory_path() / ("qm_xdg_" + std::to_string(getpid()));
  const auto deep = base / "a" / "b";
  EXPECT_TRUE(CreateUserFolder(deep.string()));
  EXPECT_TRUE(CreateUserFolder(deep.string()));
  struct stat info;
  ASSERT_EQ(stat(deep.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  std::ofstream(base / "file") << "x";
  EXPECT_FALSE(CreateUserFolder((base / "file").string()));
  EXPECT_FALSE(CreateUserFolder(""));
  std::filesystem::remove_all(base);
}

}  // namespace
