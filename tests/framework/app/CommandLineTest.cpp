#include "framework/app/CommandLine.h"

#include <gtest/gtest.h>

#include "framework/app/ScreenSize.h"

namespace {

TEST(CommandLineTest, OptionsIgnoreCase) {
  const CommandLine line({"/opt/q/quillomar", "-RESTART", "-no3d", "", "-Widescreen"});
  EXPECT_TRUE(line.HasOption("-restart"));
  EXPECT_TRUE(line.HasOption("-No3D"));
  EXPECT_TRUE(line.HasOption("-widescreen"));
  EXPECT_FALSE(line.HasOption("-screenwidth"));
  EXPECT_FALSE(line.HasOption(nullptr));
  EXPECT_STREQ(line.Text().CStr(), "/opt/q/quillomar -RESTART -no3d  -Widescreen");
}

TEST(CommandLineTest, NumericOptions) {
  const CommandLine line({"q", "-screenwidth", "1024abc", "-Depth", "-7", "-last"});
  EXPECT_EQ(line.GetOptionInt("-ScreenWidth"), 1024);
  EXPECT_EQ(line.GetOptionInt("-depth"), -7);
  EXPECT_EQ(line.GetOptionInt("-last"), 0);
  EXPECT_EQ(line.GetOptionInt("-absent"), 0);
  char arg0[] = "prog";
  char arg1[] = "-x";
  char arg2[] = "12";
  char* argv[] = {arg0, arg1, arg2, nullptr};
  EXPECT_EQ(CommandLine(3, argv).GetOptionInt("-X"), 12);
}

TEST(ScreenSizeTest, ExplicitSizeNeedsBothValuesInRange) {
  ScreenSize size = ChooseScreenSize(CommandLine({"q", "-screenwidth", "1024", "-screenheight", "768"}), 1920, 1080);
  EXPECT_TRUE(size.explicitSize);
  EXPECT_EQ(size.width, 1024);
  EXPECT_EQ(size.height, 768);
  size = ChooseScreenSize(CommandLine({"q", "-ScreenWidth", "1024"}), 1920, 1080);
  EXPECT_FALSE(size.explicitSize);
  EXPECT_EQ(size.width, 1920);
  EXPECT_EQ(size.height, 1080);
  size = ChooseScreenSize(CommandLine({"q", "-ScreenWidth", "-5", "-ScreenHeight", "600"}), 800, 600);
  EXPECT_FALSE(size.explicitSize);
  size = ChooseScreenSize(CommandLine({"q", "-ScreenWidth", "99999999999", "-ScreenHeight", "600"}), 800, 600);
  EXPECT_FALSE(size.explicitSize);
  EXPECT_EQ(size.width, 800);
}

TEST(ScreenSizeTest, WideDisplays) {
  EXPECT_FALSE(IsWideDisplay(800, 600));
  EXPECT_FALSE(IsWideDisplay(1024, 768));
  EXPECT_TRUE(IsWideDisplay(1280, 800));
  EXPECT_TRUE(IsWideDisplay(1366, 768));
  EXPECT_FALSE(IsWideDisplay(0, 0));
}

}  // namespace
