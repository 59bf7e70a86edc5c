#pragma once
// What the game asks of its audio output: samples played on voices, tracker music with
// per-row position callbacks, volumes and volume slides. `AudioEngine` is the real one; tests of
// its users record the calls through their own implementation.
//
// Handles are never 0; 0 means failure or none. Every call with a handle that is unknown (never
// issued, freed, stolen, or from before a shutdown) does nothing and answers 0/Stopped.
#include <cstddef>
#include <cstdint>
#include <functional>

using AudioHandle = uint32_t;

enum class ChannelState { Stopped, Playing, Paused };

// Called on the audio thread when a music reaches a row: (sync, music, order, row). The call
// may use the engine, including changing the position and removing this sync.
using AudioSyncProc = std::function<void(AudioHandle, AudioHandle, int, int)>;

class AudioService {
 public:
  // Load flags. A looping sample repeats the whole sample; a looping music starts over at its end.
  static constexpr uint32_t kLoop = 0x4;
  // When every voice of a sample is busy, a new channel takes over the quietest one.
  static constexpr uint32_t kStealQuietest = 0x10000;

  virtual ~AudioService() = default;

  // Opens the output at `frequency` Hz; false when there is no device (the game then runs mute).
  virtual bool Init(int frequency) = 0;
  // Closes the output and frees every sample and music.
  virtual void Free() = 0;

  // A sample of WAV data with up to `maxVoices` voices sounding at once; 0 on failure.
  virtual AudioHandle SampleLoad(const void* data, size_t size, int maxVoices, uint32_t flags) = 0;
  // A fresh, stopped channel on one of the sample's voices; 0 when none can be had.
  virtual AudioHandle SampleGetChannel(AudioHandle sample) = 0;
  virtual void SampleStop(AudioHandle sample) = 0;  // stops every channel of the sample
  virtual void SampleFree(AudioHandle sample) = 0;

  // A tracker module; the handle is also its channel. 0 on failure.
  virtual AudioHandle MusicLoad(const void* data, size_t size, uint32_t flags) = 0;
  virtual void MusicFree(AudioHandle music) = 0;

  // Volume 0..100. On a sample handle it is the volume its new channels start with. Setting it
  // ends a slide in progress.
  virtual void ChannelSetVolume(AudioHandle handle, int volume) = 0;
  // Moves the volume linearly to `volume` over `milliseconds` of played-out audio.
  virtual void ChannelSlideVolume(AudioHandle handle, int volume, int milliseconds) = 0;
  virtual void ChannelPlay(AudioHandle handle, bool restart) = 0;
  virtual void ChannelPause(AudioHandle handle) = 0;
  virtual void ChannelStop(AudioHandle handle) = 0;
  virtual ChannelState ChannelIsActive(AudioHandle handle) = 0;
  // Music only: continue at row 0 of `order`.
  virtual void ChannelSetPosition(AudioHandle music, int order) = 0;
  // Music only: `proc` is called at the start of every row; answers the sync's handle.
  virtual AudioHandle ChannelSetSync(AudioHandle music, AudioSyncProc proc) = 0;
  virtual void ChannelRemoveSync(AudioHandle music, AudioHandle sync) = 0;
};
