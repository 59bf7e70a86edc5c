#pragma once
// The sound manager as the screen manager's sound service.
#include "framework/sound/SoundManager.h"
#include "framework/sound/SoundService.h"

class SoundManagerService : public SoundService {
public:
  explicit SoundManagerService(SoundManager& manager) : manager_(manager) {}

  void Init() override { manager_.Init(); }
  void Shutdown() override { manager_.Shutdown(); }
  void SetActive(bool active) override { manager_.SetActive(active); }
  void LoadSound(int32_t id, bool loop) override { manager_.LoadSound(id, loop); }
  void UnloadSound(int32_t id) override { manager_.UnloadSound(id); }
  void PlaySound(int32_t id) override { manager_.PlaySound(id); }
  void StopSound(int32_t id) override { manager_.StopSound(id); }
  void StopAllSoundsExcept(int32_t id) override { manager_.StopAllSoundsExcept(id); }
  void PauseSounds(bool pause, bool loopingOnly, int32_t exceptId) override {
    manager_.PauseSounds(pause, loopingOnly, exceptId);
  }
  void LoadMusic(int32_t id) override { manager_.LoadMusic(id); }
  void PlayMusic(int32_t id, bool forceRestart, int32_t fadeInMs, int32_t startOrder) override {
    manager_.PlayMusic(id, forceRestart, fadeInMs, startOrder);
  }
  void PauseMusic(bool pause) override { manager_.PauseMusic(pause); }
  void SetMusicJump(int32_t rows, int32_t order) override { manager_.SetMusicJump(rows, order); }

private:
  SoundManager& manager_;
};
