// One device callback (1024 stereo frames) of the engine as the play screen leaves it: the
// board's sounds and the button click loaded, ten voices each, none sounding, and the board's
// music playing. Variants add a music fade in progress and a sound playing over the music.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/AudioEngine.h"

namespace {

constexpr int kCallbackFrames = 1024;
constexpr int kSoundVoices = 10;

std::vector<uint8_t> ReadAsset(const std::string& name) {
  std::ifstream in(std::string(QM_SOURCE_DIR) + "/assets/pack/WAVE/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct PlayScreen {
  AudioEngine engine;
  std::vector<uint8_t> module = ReadAsset("338-music-grid-1.mod");
  AudioHandle music = 0;
  std::vector<AudioHandle> samples;

  bool Load() {
    if (!engine.InitWithoutDevice(44100)) return false;
    const char* sounds[] = {"105-click.wav",      "174-refused.wav",    "175-select.wav",
                            "176-match.wav",      "347-wild-sweep.wav", "348-wild-mirror.wav",
                            "349-shuffle.wav",    "350-level-start.wav", "351-undo.wav",
                            "352-combo.wav",      "376-collect.wav",    "377-exit-pair.wav",
                            "378-complement.wav", "379-transform.wav"};
    for (const char* name : sounds) {
      std::vector<uint8_t> wav = ReadAsset(name);
      AudioHandle sample = engine.SampleLoad(wav.data(), wav.size(), kSoundVoices,
                                             AudioService::kStealQuietest);
      if (sample == 0) return false;
      engine.ChannelSetVolume(sample, 80);
      samples.push_back(sample);
    }
    music = engine.MusicLoad(module.data(), module.size(), AudioService::kLoop);
    if (music == 0) return false;
    engine.ChannelSetVolume(music, 70);
    engine.ChannelPlay(music, true);
    return true;
  }
};

void RenderCallbacks(benchmark::State& state, PlayScreen& screen) {
  std::vector<int16_t> out(size_t(kCallbackFrames) * 2);
  for (auto _ : state) {
    screen.engine.Render(out.data(), kCallbackFrames);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCallbackFrames);
}

void BM_IdlePlayScreen(benchmark::State& state) {
  PlayScreen screen;
  if (!screen.Load()) return state.SkipWithError("the game's sounds did not load");
  RenderCallbacks(state, screen);
}
BENCHMARK(BM_IdlePlayScreen)->Unit(benchmark::kMicrosecond);

void BM_MusicFading(benchmark::State& state) {
  PlayScreen screen;
  if (!screen.Load()) return state.SkipWithError("the game's sounds did not load");
  std::vector<int16_t> out(size_t(kCallbackFrames) * 2);
  int callbacks = 0;
  for (auto _ : state) {
    // A fade of about a second, started again before it ends, so every callback slides.
    if (callbacks++ % 40 == 0) {
      state.PauseTiming();
      screen.engine.ChannelSetVolume(screen.music, 100);
      screen.engine.ChannelSlideVolume(screen.music, 0, 1000);
      state.ResumeTiming();
    }
    screen.engine.Render(out.data(), kCallbackFrames);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_MusicFading)->Unit(benchmark::kMicrosecond);

void BM_SoundOverMusic(benchmark::State& state) {
  PlayScreen screen;
  if (!screen.Load()) return state.SkipWithError("the game's sounds did not load");
  std::vector<uint8_t> wav = ReadAsset("176-match.wav");
  AudioHandle looping = screen.engine.SampleLoad(wav.data(), wav.size(), 1, AudioService::kLoop);
  AudioHandle channel = screen.engine.SampleGetChannel(looping);
  screen.engine.ChannelPlay(channel, true);
  RenderCallbacks(state, screen);
}
BENCHMARK(BM_SoundOverMusic)->Unit(benchmark::kMicrosecond);

}  // namespace
