#include "framework/sound/SoundManager.h"

#include <algorithm>

#include "framework/core/ResourceModules.h"
#include "platform/AudioEngine.h"
#include "platform/MulDiv.h"

namespace {

constexpr int kOutputRate = 44100;
constexpr int kSoundVoices = 10;

ResourceModule::Bytes FindWave(int32_t id) {
  const ResourceModule* module = AssetModule();
  if (module == nullptr) return {};
  return module->Find(kWaveType, uint32_t(id) & 0xFFFF);
}

int32_t ClampVolume(int32_t volume) { return std::clamp(volume, 0, 100); }

}  // namespace

SoundManager::SoundManager() : ownEngine_(std::make_unique<AudioEngine>()), audio_(*ownEngine_) {}

SoundManager::SoundManager(AudioService& audio) : audio_(audio) {}

SoundManager::~SoundManager() {
  // After a shutdown the engine's handles are dead and these frees do nothing.
  for (auto& [id, rec] : samples_) audio_.SampleFree(rec.sample);
  samples_.clear();
  for (auto& [id, music] : musics_) audio_.MusicFree(music);
  musics_.clear();
}

void SoundManager::Init() {
  if (!ready_) ready_ = audio_.Init(kOutputRate);
}

void SoundManager::Shutdown() {
  if (!ready_) return;
  ready_ = false;
  audio_.Free();
}

void SoundManager::LoadSound(int32_t id, bool loop) {
  if (!ready_ || samples_.count(id) != 0) return;
  ResourceModule::Bytes bytes = FindWave(id);
  if (bytes.empty()) return;
  uint32_t flags = AudioService::kStealQuietest | (loop ? AudioService::kLoop : 0);
  AddSample(id, audio_.SampleLoad(bytes.data(), bytes.size(), loop ? 1 : kSoundVoices, flags), loop);
}

void SoundManager::AddSample(int32_t id, AudioHandle sample, bool loop) {
  if (sample == 0) return;
  audio_.ChannelSetVolume(sample, soundVolume_);
  samples_[id] = SampleRec{sample, 0, loop, false};
}

void SoundManager::UnloadSound(int32_t id) {
  if (!ready_) return;
  auto found = samples_.find(id);
  if (found == samples_.end()) return;
  audio_.SampleFree(found->second.sample);
  samples_.erase(found);
}

void SoundManager::PlaySound(int32_t id) {
  if (!ready_ || allPaused_) return;
  auto found = samples_.find(id);
  if (found == samples_.end()) return;
  AudioHandle channel = audio_.SampleGetChannel(found->second.sample);
  if (channel == 0) return;
  audio_.ChannelSetVolume(channel, soundVolume_);
  audio_.ChannelPlay(channel, true);
  found->second.lastChannel = channel;
}

void SoundManager::StopSample(SampleRec& rec) {
  audio_.SampleStop(rec.sample);
  rec.paused = false;
}

void SoundManager::StopSound(int32_t id) {
  if (!ready_) return;
  auto found = samples_.find(id);
  if (found != samples_.end()) StopSample(found->second);
}

void SoundManager::StopAllSoundsExcept(int32_t id) {
  if (!ready_) return;
  for (auto& [soundId, rec] : samples_)
    if (soundId != id) StopSample(rec);
}

void SoundManager::SetSoundVolume(int32_t volume) {
  if (!ready_) return;
  soundVolume_ = ClampVolume(volume);
  for (auto& [id, rec] : samples_)
    if (audio_.ChannelIsActive(rec.lastChannel) != ChannelState::Stopped)
      audio_.ChannelSetVolume(rec.lastChannel, soundVolume_);
}

void SoundManager::PauseSounds(bool pause, bool loopingOnly, int32_t exceptId) {
  if (!ready_) return;
  for (auto& [id, rec] : samples_) {
    if ((loopingOnly && !rec.loop) || id == exceptId) continue;
    ChannelState state = audio_.ChannelIsActive(rec.lastChannel);
    if (pause && state == ChannelState::Playing) {
      audio_.ChannelPause(rec.lastChannel);
      rec.paused = true;
    } else if (!pause && state == ChannelState::Paused) {
      audio_.ChannelPlay(rec.lastChannel, false);
      rec.paused = false;
    }
  }
}

void SoundManager::LoadMusic(int32_t id) {
  if (!ready_ || musics_.count(id) != 0) return;
  ResourceModule::Bytes bytes = FindWave(id);
  if (bytes.empty()) return;
  AudioHandle music = audio_.MusicLoad(bytes.data(), bytes.size(), AudioService::kLoop);
  if (music == 0) return;
  audio_.ChannelSetVolume(music, musicVolume_);
  musics_[id] = music;
}

void SoundManager::PlayMusic(int32_t id, bool forceRestart, int32_t fadeInMs, int32_t startOrder) {
  if (!ready_) return;
  auto found = musics_.find(id);
  AudioHandle music = found != musics_.end() ? found->second : 0;
  if (!forceRestart && music == currentMusic_) {
    if (musicPaused_) {
      musicPaused_ = false;
      // While the application is inactive the music stays paused until it is active again.
      if (!allPaused_) audio_.ChannelPlay(currentMusic_, false);
    }
    return;
  }
  StopMusic();
  if (music == 0) return;
  currentMusic_ = music;
  bool fade = fadeInMs > 0;
  audio_.ChannelSetVolume(music, fade ? 0 : musicVolume_);
  audio_.ChannelPlay(music, true);
  if (startOrder != 0) audio_.ChannelSetPosition(music, startOrder);
  if (fade) audio_.ChannelSlideVolume(music, musicVolume_, fadeInMs);
  musicPaused_ = false;
  if (allPaused_) audio_.ChannelPause(music);
}

void SoundManager::RemoveJump() {
  AudioHandle sync = musicSync_.exchange(0);
  if (sync != 0) audio_.ChannelRemoveSync(currentMusic_, sync);
}

void SoundManager::SetMusicJump(int32_t rows, int32_t order) {
  if (currentMusic_ == 0) return;
  RemoveJump();
  // A bar of 0 rows would never come round; it is taken as every row.
  int bar = std::max(int(uint32_t(rows) & 0xFFFF), 1);
  int target = int(uint32_t(order) & 0xFFFF);
  AudioService& audio = audio_;
  std::atomic<AudioHandle>& stored = musicSync_;
  AudioHandle sync = audio_.ChannelSetSync(
      currentMusic_, [&audio, &stored, bar, target](AudioHandle self, AudioHandle channel, int, int row) {
        if (row % bar != 0) return;
        audio.ChannelSetPosition(channel, target);
        // The audio thread may get here before the handle below is stored: remove the sync by
        // its own handle, so the jump can never fire twice.
        audio.ChannelRemoveSync(channel, self);
        stored.compare_exchange_strong(self, 0);
      });
  musicSync_.store(sync);
}

void SoundManager::StopMusic() {
  if (!ready_) return;
  RemoveJump();
  if (currentMusic_ != 0) audio_.ChannelStop(currentMusic_);
  currentMusic_ = 0;
}

void SoundManager::PauseMusic(bool pause) {
  if (!ready_ || currentMusic_ == 0 || musicPaused_ == pause) return;
  ChannelState state = audio_.ChannelIsActive(currentMusic_);
  if (pause && state == ChannelState::Playing) {
    audio_.ChannelPause(currentMusic_);
    musicPaused_ = true;
  } else if (!pause && state == ChannelState::Paused) {
    audio_.ChannelPlay(currentMusic_, false);
    musicPaused_ = false;
  }
}

void SoundManager::SetMusicVolume(int32_t volume) {
  if (!ready_) return;
  musicVolume_ = ClampVolume(volume);
  for (auto& [id, music] : musics_) audio_.ChannelSetVolume(music, musicVolume_);
}

void SoundManager::FadeMusicTo(int32_t percent, int32_t milliseconds) {
  if (!ready_ || currentMusic_ == 0) return;
  audio_.ChannelSlideVolume(currentMusic_, MulDiv(musicVolume_, percent, 100), milliseconds);
}

void SoundManager::SetActive(bool active) {
  if (!ready_ || active != allPaused_) return;
  ChannelState wanted = active ? ChannelState::Paused : ChannelState::Playing;
  if (currentMusic_ != 0 && !musicPaused_) {
    if (active)
      audio_.ChannelPlay(currentMusic_, false);
    else
      audio_.ChannelPause(currentMusic_);
  }
  for (auto& [id, rec] : samples_) {
    if (rec.paused || audio_.ChannelIsActive(rec.lastChannel) != wanted) continue;
    if (active)
      audio_.ChannelPlay(rec.lastChannel, false);
    else
      audio_.ChannelPause(rec.lastChannel);
  }
  allPaused_ = !active;
}
