#pragma once
// An audio service that records every call as a line of text and keeps just enough state
// (channel states, volumes, installed syncs) for the sound manager's decisions to be checked.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/AudioService.h"

class FakeAudio : public AudioService {
 public:
  bool initResult = true;
  bool channelsAvailable = true;
  std::vector<std::string> calls;
  std::map<AudioHandle, ChannelState> states;
  std::map<AudioHandle, int> volumes;
  std::map<AudioHandle, AudioSyncProc> syncs;
  // When set, a new sync is called at once at this row, as an audio thread could before the
  // caller has even received the sync's handle.
  int fireOnSetRow = -1;

  // The calls recorded since the last Take, and a fresh record.
  std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
  }

  bool Init(int frequency) override {
    Log("Init %d", frequency);
    return initResult;
  }
  void Free() override { Log("Free"); }
  AudioHandle SampleLoad(const void*, size_t size, int maxVoices, uint32_t flags) override {
    Log("SampleLoad %zu bytes, %d voices, flags %#x", size, maxVoices, flags);
    return Issue();
  }
  AudioHandle SampleGetChannel(AudioHandle sample) override {
    Log("SampleGetChannel %u", sample);
    return channelsAvailable ? Issue() : 0;
  }
  void SampleStop(AudioHandle sample) override { Log("SampleStop %u", sample); }
  void SampleFree(AudioHandle sample) override { Log("SampleFree %u", sample); }
  AudioHandle MusicLoad(const void*, size_t size, uint32_t flags) override {
    Log("MusicLoad %zu bytes, flags %#x", size, flags);
    return Issue();
  }
  void MusicFree(AudioHandle music) override { Log("MusicFree %u", music); }
  void ChannelSetVolume(AudioHandle handle, int volume) override {
    Log("Volume %u %d", handle, volume);
    volumes[handle] = volume;
  }
  void ChannelSlideVolume(AudioHandle handle, int volume, int ms) override {
    Log("Slide %u %d %d", handle, volume, ms);
  }
  void ChannelPlay(AudioHandle handle, bool restart) override {
    Log("Play %u %s", handle, restart ? "restart" : "resume");
    states[handle] = ChannelState::Playing;
  }
  void ChannelPause(AudioHandle handle) override {
    Log("Pause %u", handle);
    states[handle] = ChannelState::Paused;
  }
  void ChannelStop(AudioHandle handle) override {
    Log("Stop %u", handle);
    states[handle] = ChannelState::Stopped;
  }
  ChannelState ChannelIsActive(AudioHandle handle) override {
    auto found = states.find(handle);
    return found != states.end() ? found->second : ChannelState::Stopped;
  }
  void ChannelSetPosition(AudioHandle music, int order) override {
    Log("Position %u %d", music, order);
  }
  AudioHandle ChannelSetSync(AudioHandle music, AudioSyncProc proc) override {
    AudioHandle sync = Issue();
    Log("SetSync %u -> %u", music, sync);
    syncs[sync] = proc;
    if (fireOnSetRow >= 0) proc(sync, music, 0, fireOnSetRow);
    return sync;
  }
  void ChannelRemoveSync(AudioHandle music, AudioHandle sync) override {
    Log("RemoveSync %u %u", music, sync);
    syncs.erase(sync);
  }

  // Calls every installed sync as the audio thread would at (order, row).
  void Row(AudioHandle music, int order, int row) {
    auto copy = syncs;
    for (auto& [sync, proc] : copy) proc(sync, music, order, row);
  }

 private:
  template <typename... Args>
  void Log(const char* format, Args... args) {
    char line[128];
    std::snprintf(line, sizeof line, format, args...);
    calls.emplace_back(line);
  }
  AudioHandle Issue() { return ++next_; }

  AudioHandle next_ = 0;
};
