#include "framework/app/Paths.h"

#include <sys/stat.h>

#include "AppTestHome.h"

namespace {

TEST(PathsTest, ProgramPathParts) {
  EXPECT_STREQ(StripExtension("/opt/my.game/quillomar").CStr(), "/opt/my.game/quillomar");
  EXPECT_STREQ(StripExtension("/opt/game/quillomar.bin").CStr(), "/opt/game/quillomar");
  EXPECT_STREQ(StripExtension("/opt/game/a.b.c").CStr(), "/opt/game/a.b");
  EXPECT_STREQ(FileNameFromPath("/opt/my.game/quillomar").CStr(), "quillomar");
  EXPECT_STREQ(FileNameFromPath("C:\\games\\q").CStr(), "q");
  EXPECT_STREQ(FileNameFromPath("plain").CStr(), "plain");
  EXPECT_STREQ(FolderOfPath("/opt/game/quillomar").CStr(), "/opt/game/");
  EXPECT_STREQ(FolderOfPath("quillomar").CStr(), "");
}

using PathsFolderTest = AppTestHome;

TEST_F(PathsFolderTest, DataFoldersArePrivateToTheUser) {
  const String base = (home_ / "data").c_str();
  const String folder = Paths::ApplicationDataFolder(base, "Fennlow", "Quillomar", "/opt/game/");
  EXPECT_STREQ(folder.CStr(), (home_.string() + "/data/Fennlow/Quillomar/").c_str());
  for (const char* part : {"data", "data/Fennlow", "data/Fennlow/Quillomar"}) {
    struct stat info;
    ASSERT_EQ(stat((home_ / part).c_str(), &info), 0) << part;
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0077, 0u) << part;
  }
}

TEST_F(PathsFolderTest, UnusableBaseFallsBackToTheProgramFolder) {
  WriteFile(home_ / "file", "x");
  const String folder = Paths::ApplicationDataFolder((home_ / "file").c_str(), "Fennlow", "Quillomar", "/opt/game/");
  EXPECT_STREQ(folder.CStr(), "/opt/game/");
  EXPECT_STREQ(Paths::ApplicationDataFolder("", "F", "T", "/p/").CStr(), "/p/");
}

}  // namespace
