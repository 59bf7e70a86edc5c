// The sound manager over the real engine, rendered by hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "framework/sound/SoundManager.h"
#include "platform/AudioEngine.h"
#include "tests/platform/TestSounds.h"

using namespace test_sounds;

namespace {

class SoundManagerEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(engine.InitWithoutDevice(44100));
    auto module = MakeTrackerModule(4);
    assets.Add(kWaveType, 335, std::vector<uint8_t>(module.begin(), module.end()));
    assets.Add(kWaveType, 105, ConstantWav(4410, 8000));
    SetAssetModule(&assets);
    sound.Init();
    sound.LoadMusic(335);
    sound.LoadSound(105, false);
  }
  void TearDown() override { SetAssetModule(nullptr); }

  void Render(int frames) {
    std::vector<int16_t> out(size_t(frames) * 2);
    engine.Render(out.data(), frames);
  }

  MemoryResources assets;
  AudioEngine engine;
  SoundManager sound{engine};
};

}  // namespace

TEST_F(SoundManagerEngineTest, JumpLandsOnTheBarLineOnce) {
  sound.PlayMusic(335, false, 0, 0);
  Render(kFramesPerRow * 5 + 1);  // into row 5 of order 0
  sound.SetMusicJump(4, 2);
  std::vector<std::pair<int, int>> rows;
  sound.PlayMusic(335, false, 0, 0);  // already playing: no restart
  // Watching from the engine's side: the manager's music is its only music, handle 1 being
  // the first thing it loaded.
  engine.ChannelSetSync(1, [&](AudioHandle, AudioHandle, int order, int row) {
    rows.emplace_back(order, row);
  });
  Render(kFramesPerRow * 3);  // rows 6, 7, 8: the jump happens at row 8
  Render(kFramesPerRow * 8);
  ASSERT_GE(rows.size(), 3u);
  EXPECT_EQ(rows[0], (std::pair{0, 6}));
  EXPECT_EQ(rows[1], (std::pair{0, 7}));
  EXPECT_EQ(rows[2], (std::pair{2, 0}));
  EXPECT_EQ(rows.back(), (std::pair{2, 8}));
}

TEST_F(SoundManagerEngineTest, FadeInReachesTheMusicVolumeAfter1100ms) {
  sound.SetMusicVolume(80);
  sound.PlayMusic(335, false, 1100, 0);
  EXPECT_EQ(engine.ChannelVolume(1), 0.0);
  Render(48510 / 2);
  EXPECT_NEAR(engine.ChannelVolume(1), 40.0, 1e-9);
  Render(48510 / 2);
  EXPECT_EQ(engine.ChannelVolume(1), 80.0);
  sound.FadeMusicTo(0, 1100);
  Render(48510);
  EXPECT_EQ(engine.ChannelVolume(1), 0.0);
}

TEST_F(SoundManagerEngineTest, ClickSoundsAndShutdownLeavesHandlesHarmless) {
  sound.PlaySound(105);
  std::vector<int16_t> out(200);
  engine.Render(out.data(), 100);
  EXPECT_NEAR(out[0], 8000, 2);
  sound.Shutdown();
  sound.PlaySound(105);
  sound.UnloadSound(105);
  EXPECT_FALSE(engine.IsReady());
}

TEST(GameSounds, EveryShippedWaveResourcePlays) {
  std::filesystem::path folder = std::filesystem::path(QM_SOURCE_DIR) / "assets/pack/WAVE";
  if (!std::filesystem::exists(folder)) GTEST_SKIP() << "no sound assets in this checkout";
  AudioEngine engine;
  ASSERT_TRUE(engine.InitWithoutDevice(44100));
  int checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream file(entry.path(), std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    bool isModule = entry.path().extension() != ".wav";
    AudioHandle handle = isModule ? engine.MusicLoad(bytes.data(), bytes.size(), AudioService::kLoop)
                                  : engine.SampleLoad(bytes.data(), bytes.size(), 1, 0);
    EXPECT_NE(handle, 0u) << entry.path();
    ++checked;
  }
  EXPECT_GT(checked, 0);
}
