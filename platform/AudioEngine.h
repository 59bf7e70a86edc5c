#pragma once
// The game's audio output on SDL2: WAV samples mixed on per-sample voices and tracker music
// rendered by libxmp one tick at a time, so row callbacks and position jumps land on the exact
// row. Every call takes one recursive lock, which the mixer also holds while it renders; row
// callbacks therefore run inside the lock and may call back into the engine.
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/AudioService.h"
#include "platform/WavParser.h"

class AudioEngine : public AudioService {
 public:
  AudioEngine();
  ~AudioEngine() override;
  AudioEngine(const AudioEngine&) = delete;
  AudioEngine& operator=(const AudioEngine&) = delete;

  bool Init(int frequency) override;
  // Runs the engine with no device: audio is produced only by `Render`. For tests and tools.
  bool InitWithoutDevice(int frequency);
  void Free() override;
  bool IsReady() const;

  AudioHandle SampleLoad(const void* data, size_t size, int maxVoices, uint32_t flags) override;
  AudioHandle SampleGetChannel(AudioHandle sample) override;
  void SampleStop(AudioHandle sample) override;
  void SampleFree(AudioHandle sample) override;
  AudioHandle MusicLoad(const void* data, size_t size, uint32_t flags) override;
  void MusicFree(AudioHandle music) override;
  void ChannelSetVolume(AudioHandle handle, int volume) override;
  void ChannelSlideVolume(AudioHandle handle, int volume, int milliseconds) override;
  void ChannelPlay(AudioHandle handle, bool restart) override;
  void ChannelPause(AudioHandle handle) override;
  void ChannelStop(AudioHandle handle) override;
  ChannelState ChannelIsActive(AudioHandle handle) override;
  void ChannelSetPosition(AudioHandle music, int order) override;
  AudioHandle ChannelSetSync(AudioHandle music, AudioSyncProc proc) override;
  void ChannelRemoveSync(AudioHandle music, AudioHandle sync) override;

  // The current volume (0..100, fractional during a slide); -1 for an unknown handle.
  double ChannelVolume(AudioHandle handle);
  // Mixes `frames` stereo frames of 16-bit output into `out`, advancing every channel and slide.
  // The device's callback calls it; without a device, callers drive it themselves.
  void Render(int16_t* out, int frames);

 private:
  struct Volume {
    double level = 100.0;
    double from = 0.0;
    double to = 0.0;
    int64_t slideFrames = 0;  // 0: no slide
    int64_t elapsed = 0;

    double At(int64_t offset) const;
    void Advance(int64_t frames);
  };
  struct Voice {
    AudioHandle handle = 0;
    ChannelState state = ChannelState::Stopped;
    double position = 0.0;  // in source frames
    Volume volume;
  };
  struct Sample {
    WavSound sound;
    bool loop = false;
    bool steal = false;
    double defaultVolume = 100.0;
    std::vector<Voice> voices;
  };
  struct Sync {
    AudioHandle handle;
    AudioSyncProc proc;
    bool removed = false;
  };
  struct Music;

  AudioHandle NextHandle();
  bool StartMusic(Music& music);
  // Either sets `sample`, when given, to the handle of the voice's sample (0 for a music).
  Voice* FindVoice(AudioHandle channel, AudioHandle* sample = nullptr);
  Volume* FindVolume(AudioHandle handle, AudioHandle* sample = nullptr);
  void MarkBusy(AudioHandle sample);
  // Advances every voice's slide; false once none is playing or sliding.
  static bool AdvanceVoices(Sample& sample, int64_t frames);
  void MixVoice(Sample& sample, Voice& voice, float* mix, int frames);
  void MixMusic(Music& music, float* mix, int frames);
  bool RenderTick(Music& music);
  void FireSyncs(Music& music, int order, int row);
  void Release();

  mutable std::recursive_mutex mutex_;
  bool ready_ = false;
  bool rendering_ = false;
  int frequency_ = 44100;
  uint32_t device_ = 0;
  AudioHandle lastHandle_ = 0;
  std::map<AudioHandle, std::unique_ptr<Sample>> samples_;
  // The samples on which a voice may be playing or sliding, in handle order, the order the mix
  // adds them in. A sample joins when a voice starts either and leaves when a render finds it
  // quiet, so a loaded sample that sounds nothing costs the mixer nothing.
  std::vector<std::pair<AudioHandle, Sample*>> busy_;
  std::map<AudioHandle, std::pair<AudioHandle, size_t>> channels_;  // channel -> sample, voice
  std::map<AudioHandle, std::unique_ptr<Music>> musics_;
  // Musics freed by a row callback while they were being rendered; dropped after the render.
  std::vector<std::unique_ptr<Music>> retired_;
  std::vector<float> mix_;
};
