// The pack and the embedded resources that the build made from assets/.
#include <gtest/gtest.h>

#include <string>

#include "assets/ExeResources.h"
#include "framework/core/PackFile.h"

namespace {

std::string Text(const ResourceModule& module, std::string_view type, uint32_t id) {
  const auto bytes = module.Find(type, id);
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

TEST(BuiltResourcesTest, ExecutableStringsAreTheQuotedTexts) {
  const ResourceModule& exe = ExeResources();
  EXPECT_EQ(Text(exe, "STRING", 64), "Quillomar");
  EXPECT_EQ(Text(exe, "STRING", 65), "QuillomarWnd");
  EXPECT_EQ(Text(exe, "STRING", 74), "resource.pak");
  EXPECT_EQ(Text(exe, "STRING", 75), "Cannot locate the resource file. Please download and re-install the game.");
  EXPECT_EQ(Text(exe, "STRING", 73),
            "Unable to initialize the graphics library.\nIf you experience display problems, please re-boot\n"
            "your computer and try again. ");
  EXPECT_EQ(Text(exe, "STRING", 100), "Unable to paint 3D texture (constant alpha)");
  EXPECT_EQ(Text(exe, "VERSION", 1).substr(0, 4), "1.0.");
  EXPECT_EQ(Text(exe, "PNG", 50).substr(1, 3), "PNG");
  EXPECT_EQ(Text(exe, "TXT", 57).substr(0, 2), "H:");
}

TEST(BuiltResourcesTest, AssetPackOpensBesideTheExecutable) {
  PackFile pack;
  ASSERT_TRUE(pack.Open(QM_BINARY_DIR "/resource.pak"));
  EXPECT_GT(pack.Count(), 100u);
  EXPECT_FALSE(pack.Find("STRING", 1).empty());
  EXPECT_EQ(Text(pack, "WAVE", 105).substr(0, 4), "RIFF");
  EXPECT_EQ(Text(pack, "TXT", 151).substr(0, 2), "H:");
  EXPECT_EQ(Text(pack, "PNG", 160).substr(1, 3), "PNG");
  EXPECT_FALSE(pack.Find("LAYOUTS", 385).empty());
  EXPECT_FALSE(pack.Find("LAYOUTS", 562).empty());
}

}  // namespace
