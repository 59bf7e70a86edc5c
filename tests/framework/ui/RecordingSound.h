#pragma once

#include <string>
#include <vector>

#include "framework/sound/SoundService.h"

// A sound service that writes each call it gets as a line of text.
class RecordingSound : public SoundService {
public:
    std::vector<std::string> calls;

    void Init() override { calls.push_back("Init"); }
    void Shutdown() override { calls.push_back("Shutdown"); }
    void SetActive(bool active) override { calls.push_back(Text("SetActive", active)); }
    void LoadSound(int32_t id, bool loop) override { calls.push_back(Text("LoadSound", id)); }
    void UnloadSound(int32_t id) override { calls.push_back(Text("UnloadSound", id)); }
    void PlaySound(int32_t id) override { calls.push_back(Text("PlaySound", id)); }
    void StopSound(int32_t id) override { calls.push_back(Text("StopSound", id)); }
    void StopAllSoundsExcept(int32_t id) override {
        calls.push_back(Text("StopAllSoundsExcept", id));
    }
    void PauseSounds(bool pause, bool loopingOnly, int32_t exceptId) override {
        calls.push_back("PauseSounds " + std::to_string(pause) + " " +
                        std::to_string(loopingOnly) + " " + std::to_string(exceptId));
    }
    void LoadMusic(int32_t id) override { calls.push_back(Text("LoadMusic", id)); }
    void PlayMusic(int32_t id, bool forceRestart, int32_t fadeInMs, int32_t startOrder) override {
        calls.push_back(Text("PlayMusic", id));
    }
    void PauseMusic(bool pause) override { calls.push_back(Text("PauseMusic", pause)); }
    void SetMusicJump(int32_t rows, int32_t order) override {
        calls.push_back(Text("SetMusicJump", rows));
        jumpOrder = order;
    }
    void SetSoundVolume(int32_t volume) override { calls.push_back(Text("SetSoundVolume", volume)); }
    void SetMusicVolume(int32_t volume) override { calls.push_back(Text("SetMusicVolume", volume)); }
    void FadeMusicTo(int32_t percent, int32_t milliseconds) override {
        calls.push_back("FadeMusicTo " + std::to_string(percent) + " " +
                        std::to_string(milliseconds));
    }
    int32_t jumpOrder = -1;  // the order of the last jump asked for

private:
    static std::string Text(const char* name, int32_t value) {
        return std::string(name) + " " + std::to_string(value);
    }
};
