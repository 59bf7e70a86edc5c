#include "framework/app/Registry.h"

#include <sys/stat.h>

#include "AppTestHome.h"
#include "framework/app/WinApp.h"
#include "platform/SettingsStore.h"

namespace {

using RegistryTest = AppTestHome;

TEST_F(RegistryTest, MissingFileOrValueGivesTheDefault) {
  EXPECT_EQ(Registry::ReadInt(nullptr, "SoundsVolume", 100, Hive::kCurrentUser), 100);
  EXPECT_TRUE(Registry::ReadBool(nullptr, "SoundsOn", true, Hive::kCurrentUser));
  EXPECT_STREQ(Registry::ReadString("3DSettings", "DirectXVersion", "none", Hive::kCurrentUser).CStr(), "none");
  EXPECT_STREQ(Registry::ReadString("3DSettings", "DirectXVersion", nullptr, Hive::kCurrentUser).CStr(), "");
}

TEST_F(RegistryTest, WrittenValuesReadBackWithoutCase) {
  EXPECT_TRUE(Registry::WriteInt(nullptr, "SoundsVolume", 42));
  EXPECT_TRUE(Registry::WriteBool("3DSettings", "UseDDTM", false));
  EXPECT_TRUE(Registry::WriteString("3DSettings", "3DInitWarning", " two\nlines\\ "));
  EXPECT_TRUE(Registry::WriteString("3DSettings", "Empty", ""));
  EXPECT_EQ(Registry::ReadInt(nullptr, "soundsvolume", 0, Hive::kCurrentUser), 42);
  EXPECT_FALSE(Registry::ReadBool("3dsettings", "USEDDTM", true, Hive::kCurrentUser));
  EXPECT_STREQ(Registry::ReadString("3DSETTINGS", "3dinitwarning", "", Hive::kCurrentUser).CStr(), " two\nlines\\ ");
  EXPECT_STREQ(Registry::ReadString("3DSettings", "Empty", "default", Hive::kCurrentUser).CStr(), "");
  EXPECT_EQ(Registry::ReadInt(nullptr, "SoundsVolume", 0, Hive::kLocalMachine), 0);
  struct stat info;
  ASSERT_EQ(stat(UserFile().parent_path().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0077, 0u);
}

TEST_F(RegistryTest, DeletingValuesAndSubkeys) {
  Registry::WriteString("3DSettings", "A", "1");
  Registry::WriteString(nullptr, "B", "2");
  EXPECT_TRUE(Registry::WriteString("3DSettings", "A", nullptr));
  EXPECT_STREQ(Registry::ReadString("3DSettings", "A", "gone", Hive::kCurrentUser).CStr(), "gone");
  Registry::WriteString("3DSettings", "C", "3");
  EXPECT_TRUE(Registry::WriteString("3DSettings", nullptr, nullptr));
  EXPECT_STREQ(Registry::ReadString("3DSettings", "C", "gone", Hive::kCurrentUser).CStr(), "gone");
  EXPECT_STREQ(Registry::ReadString(nullptr, "B", "", Hive::kCurrentUser).CStr(), "2");
}

TEST_F(RegistryTest, OnlyWholeNumbersAndExactOneCount) {
  WriteFile(UserFile(), "FullScreen=2\nA=12x\nB=0x10\nC=4294967295\nD=99999999999\nE=-5\nF=1\n");
  EXPECT_FALSE(Registry::ReadBool(nullptr, "FullScreen", true, Hive::kCurrentUser));
  EXPECT_EQ(Registry::ReadInt(nullptr, "A", 7, Hive::kCurrentUser), 7);
  EXPECT_EQ(Registry::ReadInt(nullptr, "B", 7, Hive::kCurrentUser), 16);
  EXPECT_EQ(Registry::ReadInt(nullptr, "C", 7, Hive::kCurrentUser), -1);
  EXPECT_EQ(Registry::ReadInt(nullptr, "D", 7, Hive::kCurrentUser), 7);
  EXPECT_EQ(Registry::ReadInt(nullptr, "E", 7, Hive::kCurrentUser), -5);
  EXPECT_TRUE(Registry::ReadBool(nullptr, "F", false, Hive::kCurrentUser));
}

TEST_F(RegistryTest, MachineFileIsReadOnly) {
  WriteFile(MachineFile(), "ActivateLinks=0\nPartnerURL=https://example.org/\n");
  EXPECT_FALSE(Registry::ReadBool(nullptr, "ActivateLinks", true, Hive::kLocalMachine));
  EXPECT_STREQ(Registry::ReadString(nullptr, "partnerurl", "", Hive::kLocalMachine).CStr(), "https://example.org/");
  EXPECT_TRUE(Registry::WriteBool(nullptr, "ActivateLinks", true));
  EXPECT_EQ(ReadFile(MachineFile()), "ActivateLinks=0\nPartnerURL=https://example.org/\n");
  EXPECT_FALSE(Registry::ReadBool(nullptr, "ActivateLinks", true, Hive::kLocalMachine));
}

TEST_F(RegistryTest, EmptyMakerKeyTouchesNothing) {
  Globals().companyKey = "";
  EXPECT_FALSE(Registry::WriteInt(nullptr, "SoundsVolume", 5));
  EXPECT_EQ(Registry::ReadInt(nullptr, "SoundsVolume", 9, Hive::kCurrentUser), 9);
  EXPECT_FALSE(std::filesystem::exists(home_ / "config"));
}

TEST_F(RegistryTest, DefaultsModeStopsReadsButNotWrites) {
  WinApp app(0, 0);
  Registry::WriteInt(nullptr, "MusicVolume", 5);
  app.SetUseRegistryDefaults(true);
  EXPECT_EQ(Registry::ReadInt(nullptr, "MusicVolume", 50, Hive::kCurrentUser), 50);
  EXPECT_TRUE(Registry::WriteInt(nullptr, "MusicVolume", 6));
  app.SetUseRegistryDefaults(false);
  EXPECT_EQ(Registry::ReadInt(nullptr, "MusicVolume", 50, Hive::kCurrentUser), 6);
}

TEST_F(RegistryTest, UnreadableFileIsNotOverwritten) {
  // A file too large to be a settings file is kept rather than replaced by one value.
  WriteFile(UserFile(), std::string(SettingsStore::kMaxFileSize + 1, '#'));
  EXPECT_FALSE(Registry::WriteInt(nullptr, "SoundsVolume", 5));
  Registry::Batch batch;
  EXPECT_FALSE(Registry::WriteInt(nullptr, "MusicVolume", 5));
  EXPECT_FALSE(batch.End());
  EXPECT_EQ(std::filesystem::file_size(UserFile()), SettingsStore::kMaxFileSize + 1);
  EXPECT_EQ(Registry::ReadInt(nullptr, "SoundsVolume", 9, Hive::kCurrentUser), 9);
}

TEST_F(RegistryTest, BatchTellsWhetherItsWritesReachedTheFile) {
  WriteFile(UserFile().parent_path(), "a file where the folder belongs");
  Registry::Batch failing;
  EXPECT_TRUE(Registry::WriteInt(nullptr, "SoundsVolume", 5));
  EXPECT_FALSE(failing.End());
  std::filesystem::remove(UserFile().parent_path());
  Registry::Batch batch;
  Registry::WriteInt(nullptr, "SoundsVolume", 6);
  EXPECT_TRUE(batch.End());
  EXPECT_EQ(ReadFile(UserFile()), "SoundsVolume=6\n");
}

}  // namespace
