#include "tools/packer/AssetTree.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "framework/core/PackFile.h"

namespace {

namespace fs = std::filesystem;

class AssetTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("qm_tree_" + std::to_string(getpid()) + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    Write("PNG/144-hint.png", "picture");
    Write("TXT/383-level-table.txt", "level\ttable\n");
    Write("WAVE/105-click.wav", "RIFF");
    Write("LAYOUTS/385", "layout");
    Write("strings.txt", "144\tlower toggle\n5\tcaf\xC3\xA9\n");
    Write("PNG/.hidden", "ignored");
  }
  void TearDown() override { fs::remove_all(root_); }

  void Write(const std::string& relative, const std::string& text) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative, std::ios::binary) << text;
  }

  std::string Check(const PackFile& pack, std::string_view type, uint32_t id) {
    const auto bytes = pack.Find(type, id);
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }

  fs::path root_;
};

TEST_F(AssetTreeTest, PacksASampleTree) {
  PackWriter writer;
  std::string error;
  ASSERT_TRUE(AddAssetTree(root_.string(), &writer, &error)) << error;
  EXPECT_EQ(writer.Count(), 6u);
  const std::vector<uint8_t> bytes = writer.Build();
  PackFile pack;
  ASSERT_TRUE(pack.OpenMemory(bytes.data(), bytes.size()));
  EXPECT_EQ(Check(pack, "PNG", 144), "picture");
  EXPECT_EQ(Check(pack, "STRING", 144), "lower toggle");
  EXPECT_EQ(Check(pack, "STRING", 5), "caf\xE9");
  EXPECT_EQ(Check(pack, "TXT", 383), "level\ttable\n");
  EXPECT_EQ(Check(pack, "WAVE", 105), "RIFF");
  EXPECT_EQ(Check(pack, "LAYOUTS", 385), "layout");
}

TEST_F(AssetTreeTest, GeneratedTreesAddToThePackWithoutClashes) {
  const fs::path generated = root_.string() + "_gen";
  fs::create_directories(generated / "LAYOUTS");
  std::ofstream(generated / "LAYOUTS" / "386.bin") << "generated";
  PackWriter writer;
  std::string error;
  ASSERT_TRUE(AddAssetTree(root_.string(), &writer, &error)) << error;
  ASSERT_TRUE(AddAssetTree(generated.string(), &writer, &error)) << error;
  EXPECT_TRUE(writer.Contains("LAYOUTS", 386));
  std::ofstream(generated / "LAYOUTS" / "385.bin") << "clash";
  PackWriter again;
  ASSERT_TRUE(AddAssetTree(root_.string(), &again, &error)) << error;
  EXPECT_FALSE(AddAssetTree(generated.string(), &again, &error));
  EXPECT_NE(error.find("already in the pack"), std::string::npos) << error;
  fs::remove_all(generated);
}

TEST_F(AssetTreeTest, RefusesMalformedEntries) {
  const std::vector<std::pair<std::string, std::string>> bad = {
      {"PNG/hint.png", "no id"},           {"PNG/70000-big.png", "id too large"},
      {"png/1.png", "lower-case type"},     {"README.md", "stray file"},
      {"PNG/144-again.jpg", "clash"},       {"strings.txt", "1\tdup\n1\tdup\n"},
      {"PNG/12x.png", "id not followed by - or ."}};
  for (const auto& [path, text] : bad) {
    SetUp();
    Write(path, text);
    PackWriter writer;
    std::string error;
    EXPECT_FALSE(AddAssetTree(root_.string(), &writer, &error)) << path;
    EXPECT_FALSE(error.empty());
  }
  PackWriter writer;
  std::string error;
  EXPECT_FALSE(AddAssetTree((root_ / "missing").string(), &writer, &error));
}

}  // namespace
