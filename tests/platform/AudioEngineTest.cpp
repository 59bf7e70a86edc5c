#include "platform/AudioEngine.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/platform/TestSounds.h"

using namespace test_sounds;

namespace {

class AudioEngineTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(engine.InitWithoutDevice(44100)); }

  std::vector<int16_t> Render(int frames) {
    std::vector<int16_t> out(size_t(frames) * 2, 12345);
    engine.Render(out.data(), frames);
    return out;
  }

  AudioHandle LoadConstant(int frames, int16_t value, int voices, uint32_t flags) {
    auto wav = ConstantWav(frames, value);
    return engine.SampleLoad(wav.data(), wav.size(), voices, flags);
  }

  AudioHandle LoadMusic(int orders, uint32_t flags) {
    module = MakeTrackerModule(orders);
    return engine.MusicLoad(module.data(), module.size(), flags);
  }

  // Records every row the music reaches.
  AudioHandle Observe(AudioHandle music) {
    return engine.ChannelSetSync(music, [this](AudioHandle, AudioHandle, int order, int row) {
      rows.emplace_back(order, row);
    });
  }

  AudioEngine engine;
  std::vector<uint8_t> module;
  std::vector<std::pair<int, int>> rows;
};

using Row = std::pair<int, int>;

}  // namespace

TEST_F(AudioEngineTest, MixesSamplesAtTheirVolumeAndStopsAtTheEnd) {
  AudioHandle sample = LoadConstant(100, 16384, 4, 0);
  ASSERT_NE(sample, 0u);
  AudioHandle channel = engine.SampleGetChannel(sample);
  ASSERT_NE(channel, 0u);
  engine.ChannelPlay(channel, true);
  auto out = Render(50);
  EXPECT_NEAR(out[0], 16384, 2);
  EXPECT_NEAR(out[99], 16384, 2);

  engine.ChannelSetVolume(channel, 50);
  out = Render(50);
  EXPECT_NEAR(out[0], 8192, 2);
  EXPECT_EQ(engine.ChannelIsActive(channel), ChannelState::Stopped);
  out = Render(10);
  EXPECT_EQ(out[0], 0);

  // Two channels of one sample add up; a paused one keeps its place.
  AudioHandle a = engine.SampleGetChannel(sample);
  engine.ChannelPlay(a, true);
  AudioHandle b = engine.SampleGetChannel(sample);
  engine.ChannelPlay(b, true);
  EXPECT_NEAR(Render(1)[0], 32767, 2);
  engine.ChannelPause(b);
  EXPECT_EQ(engine.ChannelIsActive(b), ChannelState::Paused);
  Render(99);
  EXPECT_EQ(engine.ChannelIsActive(a), ChannelState::Stopped);
  engine.ChannelPlay(b, false);
  out = Render(99);
  EXPECT_NEAR(out[2 * 98], 16384, 2);  // b had 99 frames left
  EXPECT_EQ(engine.ChannelIsActive(b), ChannelState::Stopped);
}

TEST_F(AudioEngineTest, ResamplesAndLoops) {
  // A 22050 Hz ramp plays at half speed: output frame 2k equals source frame k.
  std::vector<int64_t> ramp;
  for (int i = 0; i < 8; ++i) ramp.push_back(i * 1000);
  auto wav = MakeWav(1, 22050, 16, ramp);
  AudioHandle sample = engine.SampleLoad(wav.data(), wav.size(), 1, AudioService::kLoop);
  AudioHandle channel = engine.SampleGetChannel(sample);
  engine.ChannelPlay(channel, true);
  auto out = Render(40);
  EXPECT_NEAR(out[2 * 6], 3000, 2);
  EXPECT_NEAR(out[2 * 7], 3500, 2);  // halfway between source frames 3 and 4
  EXPECT_NEAR(out[2 * 16], 0, 2);    // the loop starts over after 8 source frames
  EXPECT_NEAR(out[2 * 18], 1000, 2);
  EXPECT_EQ(engine.ChannelIsActive(channel), ChannelState::Playing);
}

TEST_F(AudioEngineTest, VoiceLimitsRefuseOrStealTheQuietest) {
  AudioHandle plain = LoadConstant(1000, 100, 2, 0);
  AudioHandle x = engine.SampleGetChannel(plain);
  AudioHandle y = engine.SampleGetChannel(plain);
  EXPECT_EQ(engine.ChannelVolume(x), -1.0);  // an unplayed channel's voice was free again
  engine.ChannelPlay(y, true);
  AudioHandle z = engine.SampleGetChannel(plain);
  engine.ChannelPlay(z, true);
  EXPECT_EQ(engine.SampleGetChannel(plain), 0u);
  engine.SampleStop(plain);
  EXPECT_EQ(engine.ChannelIsActive(y), ChannelState::Stopped);
  EXPECT_NE(engine.SampleGetChannel(plain), 0u);

  AudioHandle stealing = LoadConstant(1000, 100, 3, AudioService::kStealQuietest);
  AudioHandle loud = engine.SampleGetChannel(stealing);
  engine.ChannelSetVolume(loud, 80);
  engine.ChannelPlay(loud, true);
  AudioHandle quiet = engine.SampleGetChannel(stealing);
  engine.ChannelSetVolume(quiet, 30);
  engine.ChannelPlay(quiet, true);
  AudioHandle paused = engine.SampleGetChannel(stealing);
  engine.ChannelSetVolume(paused, 60);
  engine.ChannelPlay(paused, true);
  engine.ChannelPause(paused);
  AudioHandle taker = engine.SampleGetChannel(stealing);
  ASSERT_NE(taker, 0u);
  EXPECT_EQ(engine.ChannelIsActive(quiet), ChannelState::Stopped);
  EXPECT_EQ(engine.ChannelVolume(quiet), -1.0);  // its handle is dead
  EXPECT_EQ(engine.ChannelIsActive(loud), ChannelState::Playing);
  EXPECT_EQ(engine.ChannelIsActive(paused), ChannelState::Paused);
  EXPECT_EQ(engine.ChannelVolume(taker), 100.0);  // the sample's volume, not the victim's

  // A looping sound with one voice: each new channel takes over the only voice.
  AudioHandle loop = LoadConstant(10, 100, 1, AudioService::kLoop | AudioService::kStealQuietest);
  AudioHandle first = engine.SampleGetChannel(loop);
  engine.ChannelPlay(first, true);
  AudioHandle second = engine.SampleGetChannel(loop);
  engine.ChannelPlay(second, true);
  EXPECT_EQ(engine.ChannelIsActive(first), ChannelState::Stopped);
  EXPECT_EQ(engine.ChannelIsActive(second), ChannelState::Playing);
}

TEST_F(AudioEngineTest, VolumeSlidesLinearlyOverRenderedTime) {
  AudioHandle sample = LoadConstant(10, 16384, 1, AudioService::kLoop);
  AudioHandle channel = engine.SampleGetChannel(sample);
  engine.ChannelSetVolume(channel, 0);
  engine.ChannelPlay(channel, true);
  engine.ChannelSlideVolume(channel, 100, 1100);  // 48510 frames
  Render(24255);
  EXPECT_NEAR(engine.ChannelVolume(channel), 50.0, 1e-9);
  auto out = Render(24254);
  EXPECT_LT(engine.ChannelVolume(channel), 100.0);
  EXPECT_NEAR(out[0], 8192, 2);
  EXPECT_NEAR(out[2 * 24253], 16384, 2);
  Render(1);
  EXPECT_EQ(engine.ChannelVolume(channel), 100.0);
  Render(1000);
  EXPECT_EQ(engine.ChannelVolume(channel), 100.0);

  // A new slide starts from where the volume is; setting the volume ends a slide.
  engine.ChannelSlideVolume(channel, 0, 100);
  Render(2205);
  EXPECT_NEAR(engine.ChannelVolume(channel), 50.0, 1e-9);
  engine.ChannelSetVolume(channel, 70);
  Render(5000);
  EXPECT_EQ(engine.ChannelVolume(channel), 70.0);
  engine.ChannelSlideVolume(channel, 20, 0);
  EXPECT_EQ(engine.ChannelVolume(channel), 20.0);
}

TEST_F(AudioEngineTest, MusicReportsEveryRowAndStartsAtTheGivenOrder) {
  AudioHandle music = LoadMusic(4, AudioService::kLoop);
  ASSERT_NE(music, 0u);
  Observe(music);
  engine.ChannelPlay(music, true);
  Render(kFramesPerRow * 2 + 1);
  EXPECT_EQ(rows, (std::vector<Row>{{0, 0}, {0, 1}, {0, 2}}));
  auto out = Render(100);
  bool sounding = false;
  for (int16_t v : out) sounding |= v != 0;
  EXPECT_TRUE(sounding);

  engine.ChannelSetVolume(music, 0);
  out = Render(100);
  for (int16_t v : out) EXPECT_EQ(v, 0);

  rows.clear();
  engine.ChannelPlay(music, true);
  engine.ChannelSetPosition(music, 3);
  Render(kFramesPerRow + 1);
  EXPECT_EQ(rows, (std::vector<Row>{{3, 0}, {3, 1}}));

  // Asking for the order that is playing goes back to its row 0.
  rows.clear();
  engine.ChannelSetPosition(music, 3);
  Render(1);
  EXPECT_EQ(rows, (std::vector<Row>{{3, 0}}));
  engine.ChannelSetPosition(music, 4);  // past the last order: nothing
  engine.ChannelSetPosition(music, -1);
  Render(kFramesPerRow);
  EXPECT_EQ(rows.back(), (Row{3, 1}));
}

TEST_F(AudioEngineTest, SyncJumpsOnTheExactRowAndRemovesItself) {
  AudioHandle music = LoadMusic(4, AudioService::kLoop);
  Observe(music);
  engine.ChannelPlay(music, true);
  // Set up after row 0 has passed, as the game does: the jump waits for row 4.
  Render(kFramesPerRow);
  int fired = 0;
  AudioHandle jump = 0;
  jump = engine.ChannelSetSync(music, [&](AudioHandle sync, AudioHandle channel, int, int row) {
    if (row % 4 != 0) return;
    ++fired;
    EXPECT_EQ(sync, jump);
    engine.ChannelSetPosition(channel, 2);
    engine.ChannelRemoveSync(channel, sync);
  });
  rows.clear();
  // Ticks are rendered one by one: row 4 of order 0 is replaced by order 2, row 0, in place.
  std::vector<int16_t> out(size_t(kFramesPerTick) * 2);
  for (int tick = 0; tick < 3 * 6; ++tick) engine.Render(out.data(), kFramesPerTick);
  EXPECT_EQ(rows, (std::vector<Row>{{0, 1}, {0, 2}, {0, 3}}));
  engine.Render(out.data(), 1);
  // The observer, called first, still sees row 4 come; the tick heard is that of order 2.
  EXPECT_EQ(rows, (std::vector<Row>{{0, 1}, {0, 2}, {0, 3}, {0, 4}, {2, 0}}));
  EXPECT_EQ(fired, 1);
  Render(kFramesPerRow * 8);
  EXPECT_EQ(fired, 1);  // once only
  EXPECT_EQ(rows.back(), (Row{2, 8}));
}

TEST_F(AudioEngineTest, CallbacksMayAddRemoveAndFreeDuringTheWalk) {
  AudioHandle music = LoadMusic(2, AudioService::kLoop);
  int later = 0;
  AudioHandle second = 0;
  engine.ChannelSetSync(music, [&](AudioHandle, AudioHandle channel, int, int row) {
    if (row == 1) engine.ChannelRemoveSync(channel, second);
    if (row == 2) engine.ChannelSetSync(channel, [&](AudioHandle, AudioHandle, int, int) { ++later; });
    if (row == 3) engine.MusicFree(channel);
  });
  int secondCalls = 0;
  second = engine.ChannelSetSync(music, [&](AudioHandle, AudioHandle, int, int) { ++secondCalls; });
  engine.ChannelPlay(music, true);
  Render(kFramesPerRow * 5);
  EXPECT_EQ(secondCalls, 1);  // row 0 only: removed at row 1 before its turn
  EXPECT_EQ(later, 1);        // added at row 2, first called at row 3
  EXPECT_EQ(engine.ChannelIsActive(music), ChannelState::Stopped);
  EXPECT_EQ(engine.ChannelVolume(music), -1.0);
}

TEST_F(AudioEngineTest, MusicWithoutLoopStopsAtItsEnd) {
  AudioHandle once = LoadMusic(1, 0);
  AudioHandle looping = LoadMusic(1, AudioService::kLoop);
  engine.ChannelPlay(once, true);
  engine.ChannelPlay(looping, true);
  Render(kFramesPerRow * 65);
  EXPECT_EQ(engine.ChannelIsActive(once), ChannelState::Stopped);
  EXPECT_EQ(engine.ChannelIsActive(looping), ChannelState::Playing);
  Observe(once);
  engine.ChannelPlay(once, false);
  Render(1);
  EXPECT_EQ(rows, (std::vector<Row>{{0, 0}}));  // played again from the top
}

TEST_F(AudioEngineTest, DeadAndUnknownHandlesDoNothing) {
  AudioHandle sample = LoadConstant(10, 100, 1, 0);
  AudioHandle music = LoadMusic(1, 0);
  std::vector<uint8_t> junk(200, 7);
  EXPECT_EQ(engine.MusicLoad(junk.data(), junk.size(), 0), 0u);
  EXPECT_EQ(engine.MusicLoad(nullptr, 10, 0), 0u);
  EXPECT_EQ(engine.SampleLoad(junk.data(), junk.size(), 1, 0), 0u);

  auto everything = [&](AudioHandle h) {
    engine.SampleGetChannel(h);
    engine.SampleStop(h);
    engine.ChannelSetVolume(h, 10);
    engine.ChannelSlideVolume(h, 10, 10);
    engine.ChannelPlay(h, true);
    engine.ChannelPause(h);
    engine.ChannelStop(h);
    engine.ChannelSetPosition(h, 0);
    engine.ChannelRemoveSync(h, 1);
    EXPECT_EQ(engine.ChannelSetSync(h, [](AudioHandle, AudioHandle, int, int) {}), 0u);
    EXPECT_EQ(engine.ChannelIsActive(h), ChannelState::Stopped);
    engine.SampleFree(h);
    engine.MusicFree(h);
  };
  everything(0);
  everything(99999);
  EXPECT_EQ(engine.SampleGetChannel(music), 0u);
  engine.SampleFree(sample);
  engine.MusicFree(music);
  everything(sample);
  everything(music);

  // After shutdown, handles of the earlier run are inert and nothing loads.
  AudioHandle kept = LoadConstant(10, 100, 1, 0);
  engine.Free();
  EXPECT_FALSE(engine.IsReady());
  everything(kept);
  EXPECT_EQ(LoadConstant(10, 100, 1, 0), 0u);
  auto out = Render(4);
  for (int16_t v : out) EXPECT_EQ(v, 0);
  engine.Free();
}

TEST(AudioEngine, InitFailsWithoutAnAudioDevice) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  AudioEngine engine;
  EXPECT_FALSE(engine.Init(44100));
  EXPECT_FALSE(engine.IsReady());
  auto wav = ConstantWav(10, 100);
  EXPECT_EQ(engine.SampleLoad(wav.data(), wav.size(), 1, 0), 0u);
  EXPECT_FALSE(engine.InitWithoutDevice(1000));  // below any usable rate
  unsetenv("SDL_AUDIODRIVER");
}

TEST(AudioEngine, RunsOnSdlsDummyDeviceAndShutsDownCleanly) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  AudioEngine engine;
  ASSERT_TRUE(engine.Init(44100));
  EXPECT_TRUE(engine.Init(44100));  // already running
  auto module = MakeTrackerModule(2);
  AudioHandle music = engine.MusicLoad(module.data(), module.size(), AudioService::kLoop);
  engine.ChannelSetSync(music, [&](AudioHandle, AudioHandle channel, int, int) {
    engine.ChannelSetVolume(channel, 90);
  });
  engine.ChannelPlay(music, true);
  EXPECT_EQ(engine.ChannelIsActive(music), ChannelState::Playing);
  engine.Free();
  EXPECT_EQ(engine.ChannelIsActive(music), ChannelState::Stopped);
  unsetenv("SDL_AUDIODRIVER");
}
