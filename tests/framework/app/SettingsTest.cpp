#include "framework/app/Settings.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <map>

#include "AppTestHome.h"
#include "framework/app/Registry.h"
#include "framework/app/WinApp.h"

namespace {

using SettingsTest = AppTestHome;

const CommandLine kNoOptions({"quillomar"});

TEST_F(SettingsTest, DefaultsForEveryValue) {
  WinApp app(0, 0);
  Settings s;
  s.soundsVolume = -1;
  s.useDDTM = false;
  s.lastTestVersion = "stale";
  ReadSettings(&s, kNoOptions, {});
  EXPECT_TRUE(s.soundsOn);
  EXPECT_EQ(s.soundsVolume, 100);
  EXPECT_TRUE(s.musicOn);
  EXPECT_EQ(s.musicVolume, 50);
  EXPECT_TRUE(s.fullScreen);
  EXPECT_FALSE(s.wideScreen);
  EXPECT_TRUE(s.hardwareAcceleration);
  EXPECT_TRUE(s.activateLinks);
  EXPECT_EQ(s.minVideoMemory, 6);
  EXPECT_EQ(s.goodVideoMemory, 16);
  EXPECT_EQ(s.textureManageVideoMemory, 40);
  EXPECT_TRUE(s.lastTestVersion.IsEmpty());
  EXPECT_EQ(s.lastTestBitCount, 0);
  EXPECT_EQ(s.lastResolution, 0);
  EXPECT_TRUE(s.initError.IsEmpty());
  EXPECT_TRUE(s.initWarning.IsEmpty());
  EXPECT_EQ(s.freeVideoBlocks, 0);
  EXPECT_TRUE(s.directXVersion.IsEmpty());
  EXPECT_TRUE(s.useDDTM);
}

TEST_F(SettingsTest, StoredValuesAreClampedAndParsed) {
  WinApp app(0, 0);
  WriteFile(UserFile(),
            "SoundsVolume=250\nMusicVolume=-5\nFullScreen=2\nWideScreen=1\nSoundsOn=0\n"
            "[3DSettings]\nMinVideoMemory=8\n3DInitWarning=slow card\nUseDDTM=0\n");
  Settings s;
  ReadSettings(&s, kNoOptions, {});
  EXPECT_EQ(s.soundsVolume, 100);
  EXPECT_EQ(s.musicVolume, 0);
  EXPECT_FALSE(s.fullScreen);
  EXPECT_TRUE(s.wideScreen);
  EXPECT_FALSE(s.soundsOn);
  EXPECT_EQ(s.minVideoMemory, 8);
  EXPECT_STREQ(s.initWarning.CStr(), "slow card");
  EXPECT_FALSE(s.useDDTM);
}

TEST_F(SettingsTest, StartConditionsOverrideStoredValues) {
  WinApp app(0, 0);
  WriteFile(UserFile(), "FullScreen=0\nHardwareAcceleration=1\n");
  Settings s;
  ReadSettings(&s, CommandLine({"q", "-NO3D"}), {false, 8});
  EXPECT_TRUE(s.fullScreen);
  EXPECT_FALSE(s.hardwareAcceleration);
  ReadSettings(&s, kNoOptions, {true, 32});
  EXPECT_FALSE(s.hardwareAcceleration);
  ReadSettings(&s, kNoOptions, {false, 32});
  EXPECT_TRUE(s.hardwareAcceleration);
  EXPECT_FALSE(s.fullScreen);
}

TEST_F(SettingsTest, NoThreeDLastsOneRunWhileShiftAtStartIsKept) {
  WinApp app(0, 0);
  WriteFile(UserFile(), "HardwareAcceleration=1\n");
  Settings s;
  ReadSettings(&s, CommandLine({"q", "-no3d"}), {});
  WriteSettings(s);
  ReadSettings(&s, kNoOptions, {});
  EXPECT_TRUE(s.hardwareAcceleration);

  ReadSettings(&s, kNoOptions, {true, 32});
  WriteSettings(s);
  ReadSettings(&s, kNoOptions, {});
  EXPECT_FALSE(s.hardwareAcceleration);

  ReadSettings(&s, CommandLine({"q", "-no3d"}), {});
  s.hardwareAcceleration = true;  // switched on in the options during the run
  WriteSettings(s);
  ReadSettings(&s, kNoOptions, {});
  EXPECT_TRUE(s.hardwareAcceleration);
}

TEST_F(SettingsTest, UseRegistryDefaultsResetsOnceAndWritesDefaults) {
  WinApp app(0, 0);
  WriteFile(UserFile(), "UseRegistryDefaults=1\nSoundsVolume=3\n[3DSettings]\nLastResolution=1024\n");
  Settings s;
  ReadSettings(&s, kNoOptions, {});
  EXPECT_TRUE(app.UseRegistryDefaults());
  EXPECT_EQ(s.soundsVolume, 100);
  EXPECT_EQ(s.lastResolution, 0);
  s.musicVolume = 20;  // changed during the run
  WriteSettings(s);

  WinApp next(0, 0);
  Settings again;
  ReadSettings(&again, kNoOptions, {});
  EXPECT_FALSE(next.UseRegistryDefaults());
  EXPECT_EQ(again.soundsVolume, 100);
  EXPECT_EQ(again.musicVolume, 20);
  EXPECT_EQ(again.lastResolution, 0);
}

TEST_F(SettingsTest, WriteBackRoundTrips) {
  WinApp app(0, 0);
  Settings s;
  s.soundsVolume = 70;
  s.fullScreen = false;
  s.hardwareAcceleration = false;
  s.initError = "DXError: 0x8876086C failed";
  s.lastTestBitCount = 32;
  s.useDDTM = false;
  s.soundsOn = false;  // not written back
  WriteFile(UserFile().parent_path(), "a file where the folder belongs");
  EXPECT_FALSE(WriteSettings(s));
  std::filesystem::remove(UserFile().parent_path());
  EXPECT_TRUE(WriteSettings(s));
  Settings read;
  ReadSettings(&read, kNoOptions, {});
  EXPECT_EQ(read.soundsVolume, 70);
  EXPECT_FALSE(read.fullScreen);
  EXPECT_FALSE(read.hardwareAcceleration);
  EXPECT_STREQ(read.initError.CStr(), "DXError: 0x8876086C failed");
  EXPECT_EQ(read.lastTestBitCount, 32);
  EXPECT_FALSE(read.useDDTM);
  EXPECT_TRUE(read.soundsOn);
}

TEST_F(SettingsTest, ReadOnceAtStartAndReplacedOnceAtExit) {
  WinApp app(0, 0);
  WriteFile(UserFile(), "SoundsVolume=30\n[3DSettings]\nLastResolution=1024\n");
  const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(inotify_add_watch(watch, UserFile().parent_path().c_str(), IN_OPEN | IN_MOVED_TO), 0);
  Settings s;
  ReadSettings(&s, kNoOptions, {});
  s.musicVolume = 20;
  WriteSettings(s);

  std::map<uint32_t, int> events;  // on settings.ini itself, by kind
  alignas(inotify_event) char buffer[64 * 1024];
  for (ssize_t got; (got = read(watch, buffer, sizeof buffer)) > 0;) {
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if (event->len > 0 && std::string(event->name) == "settings.ini") ++events[event->mask & (IN_OPEN | IN_MOVED_TO)];
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  close(watch);
  EXPECT_EQ(events[IN_OPEN], 1);
  EXPECT_EQ(events[IN_MOVED_TO], 1);
  Settings again;
  ReadSettings(&again, kNoOptions, {});
  EXPECT_EQ(again.soundsVolume, 30);
  EXPECT_EQ(again.musicVolume, 20);
  EXPECT_EQ(again.lastResolution, 1024);
}

}  // namespace
