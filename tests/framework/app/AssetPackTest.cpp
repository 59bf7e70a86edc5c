#include "framework/app/AssetPack.h"

#include <fstream>

#include "AppTestHome.h"
#include "framework/core/MemoryResources.h"
#include "framework/core/PackWriter.h"
#include "framework/core/ResourceModules.h"

namespace {

class AssetPackTest : public AppTestHome {
 protected:
  void SetUp() override {
    AppTestHome::SetUp();
    exe_.AddString(74, "resource.pak");
    SetExeModule(&exe_);
    Globals().programFolder = (home_.string() + "/").c_str();
  }
  void TearDown() override {
    SetExeModule(nullptr);
    SetAssetModule(nullptr);
    AppTestHome::TearDown();
  }
  MemoryResources exe_;
};

TEST_F(AssetPackTest, OpensThePackBesideTheProgram) {
  PackWriter writer;
  ASSERT_TRUE(writer.Add("STRING", 13, {'h', 'i'}));
  const std::vector<uint8_t> bytes = writer.Build();
  std::ofstream(home_ / "resource.pak", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(LoadAssetPack());
  EXPECT_EQ(AssetModule(), &AssetPack());
  EXPECT_STREQ(String(13).CStr(), "hi");
}

TEST_F(AssetPackTest, MissingOrDamagedPackFails) {
  EXPECT_FALSE(LoadAssetPack());
  EXPECT_EQ(AssetModule(), nullptr);
  WriteFile(home_ / "resource.pak", "not a pack at all, just text");
  EXPECT_FALSE(LoadAssetPack());
  EXPECT_EQ(AssetModule(), nullptr);
  SetExeModule(nullptr);
  EXPECT_FALSE(LoadAssetPack());
}

}  // namespace
