#include "framework/sound/SoundManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "tests/framework/sound/FakeAudio.h"

using Calls = std::vector<std::string>;

namespace {

class SoundManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    assets.Add(kWaveType, 105, std::string(40, 'c'));
    assets.Add(kWaveType, 106, std::string(50, 'l'));
    assets.Add(kWaveType, 107, std::string(60, 's'));
    assets.Add(kWaveType, 335, std::string(70, 'm'));
    assets.Add(kWaveType, 336, std::string(80, 'n'));
    SetAssetModule(&assets);
  }
  void TearDown() override { SetAssetModule(nullptr); }

  // A ready manager with click 105 (sample 1), loop 106 (sample 2), music 335 (handle 3).
  void Start() {
    sound.Init();
    sound.LoadSound(105, false);
    sound.LoadSound(106, true);
    sound.LoadMusic(335);
    audio.Take();
  }

  MemoryResources assets;
  FakeAudio audio;
  SoundManager sound{audio};
};

}  // namespace

TEST_F(SoundManagerTest, WithoutADeviceEverythingIsSkipped) {
  sound.SetSoundVolume(40);  // before the engine is up: not remembered
  audio.initResult = false;
  sound.Init();
  EXPECT_FALSE(sound.IsReady());
  sound.LoadSound(105, false);
  sound.PlaySound(105);
  sound.LoadMusic(335);
  sound.PlayMusic(335, true, 1100, 0);
  sound.SetMusicJump(4, 2);
  sound.SetActive(false);
  sound.Shutdown();
  EXPECT_EQ(audio.Take(), (Calls{"Init 44100"}));

  audio.initResult = true;
  sound.Init();
  sound.Init();  // only once while ready
  EXPECT_EQ(sound.SoundVolume(), 100);
  sound.Shutdown();
  sound.Shutdown();
  sound.PlaySound(105);
  EXPECT_EQ(audio.Take(), (Calls{"Init 44100", "Free"}));
}

TEST_F(SoundManagerTest, LoadsSamplesOnceWithVoiceLimitsByLoopFlag) {
  sound.Init();
  audio.Take();
  sound.LoadSound(105, false);
  sound.LoadSound(105, true);
  sound.LoadSound(0x10000 + 106, true);  // the resource is named by the id's low 16 bits
  sound.LoadSound(999, false);           // no such resource
  sound.LoadMusic(335);
  sound.LoadMusic(335);
  EXPECT_EQ(audio.Take(), (Calls{"SampleLoad 40 bytes, 10 voices, flags 0x10000", "Volume 1 100",
                                 "SampleLoad 50 bytes, 1 voices, flags 0x10004", "Volume 2 100",
                                 "MusicLoad 70 bytes, flags 0x4", "Volume 3 100"}));
  sound.UnloadSound(105);
  sound.UnloadSound(105);
  EXPECT_EQ(audio.Take(), (Calls{"SampleFree 1"}));
}

TEST_F(SoundManagerTest, PlaysSoundsOnNewChannelsAndTracksTheLastOne) {
  Start();
  sound.PlaySound(105);
  sound.PlaySound(777);
  EXPECT_EQ(audio.Take(), (Calls{"SampleGetChannel 1", "Volume 4 100", "Play 4 restart"}));

  audio.channelsAvailable = false;
  sound.PlaySound(105);
  EXPECT_EQ(audio.Take(), (Calls{"SampleGetChannel 1"}));

  // Volume changes reach the last channel while it plays or is paused, not once it stopped.
  sound.SetSoundVolume(60);
  EXPECT_EQ(audio.Take(), (Calls{"Volume 4 60"}));
  audio.states[4] = ChannelState::Stopped;
  sound.SetSoundVolume(130);
  EXPECT_EQ(sound.SoundVolume(), 100);
  EXPECT_EQ(audio.Take(), Calls{});

  audio.channelsAvailable = true;
  sound.PlaySound(105);
  sound.StopSound(105);
  sound.StopAllSoundsExcept(106);
  EXPECT_EQ(audio.Take(), (Calls{"SampleGetChannel 1", "Volume 5 100", "Play 5 restart",
                                 "SampleStop 1", "SampleStop 1"}));
}

TEST_F(SoundManagerTest, PauseSoundsChoosesByLoopAndExceptionAndResumesOnlyPaused) {
  Start();
  sound.PlaySound(105);  // channel 4
  sound.PlaySound(106);  // channel 5
  audio.Take();
  sound.PauseSounds(true, true, -1);
  EXPECT_EQ(audio.Take(), (Calls{"Pause 5"}));
  sound.PauseSounds(true, false, 105);
  EXPECT_EQ(audio.Take(), Calls{});  // 106 is paused already, 105 is excepted
  sound.PauseSounds(true, false, -1);
  sound.PauseSounds(false, false, 106);
  EXPECT_EQ(audio.Take(), (Calls{"Pause 4", "Play 4 resume"}));

  // A sound paused on its own stays paused across deactivation; stopping clears the mark.
  sound.SetActive(false);
  sound.SetActive(true);
  EXPECT_EQ(audio.Take(), (Calls{"Pause 4", "Play 4 resume"}));
  sound.StopSound(106);
  audio.states[5] = ChannelState::Paused;
  sound.SetActive(false);
  sound.SetActive(true);
  EXPECT_EQ(audio.Take(), (Calls{"SampleStop 2", "Pause 4", "Play 4 resume", "Play 5 resume"}));
}

TEST_F(SoundManagerTest, PlayMusicFadesInFromZeroAtTheStartOrder) {
  Start();
  sound.PlayMusic(335, false, 1100, 3);
  EXPECT_EQ(audio.Take(),
            (Calls{"Volume 3 0", "Play 3 restart", "Position 3 3", "Slide 3 100 1100"}));

  // The current music without force: nothing, or a resume when paused through PauseMusic.
  sound.PlayMusic(335, false, 0, 0);
  EXPECT_EQ(audio.Take(), Calls{});
  sound.PauseMusic(true);
  sound.PauseMusic(true);
  sound.PlayMusic(335, false, 0, 0);
  EXPECT_EQ(audio.Take(), (Calls{"Pause 3", "Play 3 resume"}));

  sound.SetMusicVolume(80);
  sound.PlayMusic(335, true, 0, 0);
  EXPECT_EQ(audio.Take(), (Calls{"Volume 3 80", "Stop 3", "Volume 3 80", "Play 3 restart"}));

  sound.FadeMusicTo(50, 1100);
  EXPECT_EQ(audio.Take(), (Calls{"Slide 3 40 1100"}));

  // A music that is not loaded silences the current one.
  sound.PlayMusic(336, false, 1100, 0);
  sound.FadeMusicTo(0, 1100);
  sound.PauseMusic(true);
  EXPECT_EQ(audio.Take(), (Calls{"Stop 3"}));
}

TEST_F(SoundManagerTest, MusicJumpFiresOnceAtTheFirstBarLine) {
  Start();
  sound.SetMusicJump(4, 2);  // no current music
  EXPECT_EQ(audio.Take(), Calls{});
  sound.PlayMusic(335, false, 0, 0);
  sound.SetMusicJump(4, 1);
  sound.SetMusicJump(4, 2);  // replaces the first
  audio.Take();
  for (int row = 1; row <= 3; ++row) audio.Row(3, 0, row);
  EXPECT_EQ(audio.Take(), Calls{});
  audio.Row(3, 0, 4);
  EXPECT_EQ(audio.Take(), (Calls{"Position 3 2", "RemoveSync 3 5"}));
  audio.Row(3, 2, 0);
  sound.StopMusic();
  EXPECT_EQ(audio.Take(), (Calls{"Stop 3"}));  // the sync is gone already

  // Every 0 rows is taken as every row; stopping the music removes a waiting sync.
  sound.PlayMusic(335, false, 0, 0);
  sound.SetMusicJump(0x10000, 0x20003);  // both taken as 16-bit: rows 0, order 3
  audio.Take();
  audio.Row(3, 0, 7);
  EXPECT_EQ(audio.Take(), (Calls{"Position 3 3", "RemoveSync 3 6"}));
  sound.SetMusicJump(4, 1);
  sound.StopMusic();
  EXPECT_EQ(audio.Take(), (Calls{"SetSync 3 -> 7", "RemoveSync 3 7", "Stop 3"}));
}

TEST_F(SoundManagerTest, MusicJumpFiringBeforeItsHandleIsStoredStillFiresOnce) {
  Start();
  sound.PlayMusic(335, false, 0, 0);
  audio.Take();
  audio.fireOnSetRow = 8;
  sound.SetMusicJump(4, 2);
  audio.fireOnSetRow = -1;
  EXPECT_EQ(audio.Take(), (Calls{"SetSync 3 -> 4", "Position 3 2", "RemoveSync 3 4"}));
  EXPECT_TRUE(audio.syncs.empty());
  audio.Row(3, 2, 4);
  EXPECT_EQ(audio.Take(), Calls{});
}

TEST_F(SoundManagerTest, DeactivationPausesOnlyWhatItResumes) {
  Start();
  sound.PlaySound(105);  // channel 4
  sound.PlayMusic(335, false, 0, 0);
  audio.Take();
  sound.SetActive(false);
  sound.SetActive(false);
  EXPECT_EQ(audio.Take(), (Calls{"Pause 3", "Pause 4"}));

  sound.PlaySound(105);  // silent while inactive
  sound.PlayMusic(335, true, 1100, 0);  // starts paused
  EXPECT_EQ(audio.Take(), (Calls{"Stop 3", "Volume 3 0", "Play 3 restart", "Slide 3 100 1100",
                                 "Pause 3"}));
  sound.SetActive(true);
  sound.SetActive(true);
  EXPECT_EQ(audio.Take(), (Calls{"Play 3 resume", "Play 4 resume"}));

  // A music paused on its own stays paused; asking for it while inactive only clears the mark.
  sound.PauseMusic(true);
  sound.SetActive(false);
  sound.PlayMusic(335, false, 0, 0);
  sound.SetActive(true);
  EXPECT_EQ(audio.Take(), (Calls{"Pause 3", "Pause 4", "Play 3 resume", "Play 4 resume"}));
}

TEST_F(SoundManagerTest, DestructionFreesEverythingEvenAfterShutdown) {
  {
    SoundManager manager(audio);
    manager.Init();
    manager.LoadSound(105, false);
    manager.LoadSound(106, true);
    manager.LoadMusic(335);
    manager.Shutdown();
    audio.Take();
  }
  // The engine makes these harmless after its shutdown; the manager still lets go of them.
  EXPECT_EQ(audio.Take(), (Calls{"SampleFree 1", "SampleFree 2", "MusicFree 3"}));
}
