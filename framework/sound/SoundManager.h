#pragma once
// The game's sound effects and tracker music: samples and musics are "WAVE" resources of the
// asset module, loaded once and kept by id; one sound volume and one music volume (0..100); one
// music at a time with fade-in, start order, fades, pausing and a one-shot jump to an order at
// the next bar line; everything paused while the application is inactive. With no audio device
// every operation is silently skipped and the game runs mute.
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>

#include "framework/sound/SoundService.h"
#include "platform/AudioService.h"

class AudioEngine;

class SoundManager : public SoundService {
 public:
  SoundManager();  // plays through an audio engine of its own
  explicit SoundManager(AudioService& audio);
  ~SoundManager() override;
  SoundManager(const SoundManager&) = delete;
  SoundManager& operator=(const SoundManager&) = delete;

  void Init() override;
  void Shutdown() override;
  bool IsReady() const { return ready_; }

  void LoadSound(int32_t id, bool loop) override;
  void UnloadSound(int32_t id) override;
  void PlaySound(int32_t id) override;
  void StopSound(int32_t id) override;
  void StopAllSoundsExcept(int32_t id) override;
  void SetSoundVolume(int32_t volume) override;
  int32_t SoundVolume() const { return soundVolume_; }
  void PauseSounds(bool pause, bool loopingOnly, int32_t exceptId) override;

  void LoadMusic(int32_t id) override;
  void PlayMusic(int32_t id, bool forceRestart, int32_t fadeInMs, int32_t startOrder) override;
  // At the next row that is a multiple of `rows`, continue at row 0 of `order`, once.
  void SetMusicJump(int32_t rows, int32_t order) override;
  void StopMusic();
  void PauseMusic(bool pause) override;
  void SetMusicVolume(int32_t volume) override;
  int32_t MusicVolume() const { return musicVolume_; }
  void FadeMusicTo(int32_t percent, int32_t milliseconds) override;
  void SetActive(bool active) override;

 private:
  struct SampleRec {
    AudioHandle sample = 0;
    AudioHandle lastChannel = 0;
    bool loop = false;
    bool paused = false;
  };

  void AddSample(int32_t id, AudioHandle sample, bool loop);
  void StopSample(SampleRec& rec);
  void RemoveJump();

  std::unique_ptr<AudioEngine> ownEngine_;
  AudioService& audio_;
  bool ready_ = false;
  std::map<int32_t, SampleRec> samples_;
  std::map<int32_t, AudioHandle> musics_;
  int32_t soundVolume_ = 100;
  int32_t musicVolume_ = 100;
  AudioHandle currentMusic_ = 0;
  bool allPaused_ = false;
  bool musicPaused_ = false;
  // Written by the audio thread when the jump fires, so read-and-clear is one exchange.
  std::atomic<AudioHandle> musicSync_{0};
};
