#include "platform/FileSnapshot.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

TEST(FileSnapshotTest, CopiesWholeFiles) {
  const auto path = std::filesystem::temp_directory_path() / ("qm_snapshot_" + std::to_string(getpid()));
  std::ofstream(path, std::ios::binary) << "copied bytes";
  FileSnapshot file;
  ASSERT_TRUE(file.Open(path.string(), 1024));
  ASSERT_EQ(file.Size(), 12u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.Data()), file.Size()), "copied bytes");
  std::ofstream(path, std::ios::binary | std::ios::trunc);
  ASSERT_TRUE(file.Open(path.string(), 1024));
  EXPECT_EQ(file.Size(), 0u);
  std::filesystem::remove(path);
  EXPECT_FALSE(file.Open(path.string(), 1024));
  EXPECT_EQ(file.Data(), nullptr);
  EXPECT_FALSE(file.Open(std::filesystem::temp_directory_path().string(), 1024));
}

}  // namespace
