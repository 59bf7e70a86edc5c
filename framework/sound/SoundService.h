#pragma once

#include <cstdint>

// The sound system as the screen manager fronts it for screens and widgets. The sound manager
// implements it; the screen manager only forwards.
class SoundService {
public:
    virtual ~SoundService() = default;

    virtual void Init() = 0;
    virtual void Shutdown() = 0;
    // False pauses everything that plays, true resumes what deactivation paused.
    virtual void SetActive(bool active) = 0;

    virtual void LoadSound(int32_t id, bool loop) = 0;
    virtual void UnloadSound(int32_t id) = 0;
    virtual void PlaySound(int32_t id) = 0;
    virtual void StopSound(int32_t id) = 0;
    virtual void StopAllSoundsExcept(int32_t id) = 0;
    virtual void PauseSounds(bool pause, bool loopingOnly, int32_t exceptId) = 0;

    virtual void LoadMusic(int32_t id) = 0;
    virtual void PlayMusic(int32_t id, bool forceRestart, int32_t fadeInMs, int32_t startOrder) = 0;
    virtual void PauseMusic(bool pause) = 0;
    virtual void SetMusicJump(int32_t rows, int32_t order) = 0;

    // Volumes 0..100.
    virtual void SetSoundVolume(int32_t volume) = 0;
    virtual void SetMusicVolume(int32_t volume) = 0;
    // Slides the current music to `percent` of the music volume.
    virtual void FadeMusicTo(int32_t percent, int32_t milliseconds) = 0;
};
