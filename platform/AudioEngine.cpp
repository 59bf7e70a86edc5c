#include "platform/AudioEngine.h"

#include <SDL.h>
#include <xmp.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/CrashHandler.h"

namespace {

constexpr int kMaxVoicesPerSample = 256;
// Row callbacks that keep jumping could otherwise hold the mixer forever.
constexpr int kMaxJumpsPerTick = 8;

double ClampVolume(int volume) { return std::clamp(volume, 0, 100); }

// Four lanes of the mix: plain vectors, so the conversion is a handful of SIMD instructions
// wherever the compiler targets, and no libm call per sample.
using MixLanes = float __attribute__((vector_size(16)));
using SampleLanes = int32_t __attribute__((vector_size(16)));
constexpr size_t kLanes = sizeof(MixLanes) / sizeof(float);

// Clamps and scales each lane and rounds it half away from zero, exactly as lround does: for
// |v| <= 32767 the truncation fits, the whole part converts back unchanged, and the fraction
// left is a multiple of v's last place below 1, so it is representable; comparing it with one
// half is then the rounding rule itself. A true comparison is -1 in a lane. The mix is never
// NaN, so the selects clamp as std::clamp does.
SampleLanes ToSampleLanes(MixLanes mixed) {
  const MixLanes low = MixLanes{} - 1.0f;
  const MixLanes high = MixLanes{} + 1.0f;
  mixed = mixed < low ? low : mixed;
  mixed = mixed > high ? high : mixed;
  MixLanes v = mixed * 32767.0f;
  SampleLanes whole = __builtin_convertvector(v, SampleLanes);
  MixLanes fraction = v - __builtin_convertvector(whole, MixLanes);
  return whole - (fraction >= 0.5f) + (fraction <= -0.5f);
}

// Converts n <= kLanes values; the caller's full groups pass a constant n, which compiles to
// plain vector loads and stores.
inline void ConvertLanes(const float* mix, int16_t* out, size_t n) {
  MixLanes lanes{};
  std::memcpy(&lanes, mix, n * sizeof(float));
  SampleLanes samples = ToSampleLanes(lanes);
  for (size_t k = 0; k < n; ++k) out[k] = int16_t(samples[k]);
}

void ToSamples(const float* mix, int16_t* out, size_t count) {
  size_t i = 0;
  for (; i + kLanes <= count; i += kLanes) ConvertLanes(mix + i, out + i, kLanes);
  if (i < count) ConvertLanes(mix + i, out + i, count - i);
}

// Adds each tick value times gain to the mix, four lanes at a time; every lane takes the same
// two roundings as the one-value tail, so the sums are those of a plain loop.
void AddScaled(const int16_t* tick, float gain, float* mix, size_t count) {
  using TickLanes = int16_t __attribute__((vector_size(sizeof(int16_t) * kLanes)));
  size_t i = 0;
  for (; i + kLanes <= count; i += kLanes) {
    TickLanes source;
    MixLanes target;
    std::memcpy(&source, tick + i, sizeof source);
    std::memcpy(&target, mix + i, sizeof target);
    target += __builtin_convertvector(source, MixLanes) * gain;
    std::memcpy(mix + i, &target, sizeof target);
  }
  for (; i < count; ++i) mix[i] += tick[i] * gain;
}

}  // namespace

struct AudioEngine::Music {
  AudioHandle handle = 0;
  xmp_context context = nullptr;
  int orders = 0;
  bool loop = false;
  ChannelState state = ChannelState::Stopped;
  Volume volume;
  std::vector<int16_t> tick;  // the last rendered tick, stereo
  size_t tickFrame = 0;       // frames of it already mixed
  std::list<Sync> syncs;
  bool dispatching = false;
  uint32_t jumps = 0;  // position changes, so a row callback's jump can be noticed

  ~Music() {
    if (context != nullptr) {
      xmp_end_player(context);
      xmp_release_module(context);
      xmp_free_context(context);
    }
  }
  void DropTick() {
    tick.clear();
    tickFrame = 0;
  }
};

double AudioEngine::Volume::At(int64_t offset) const {
  if (slideFrames == 0) return level;
  int64_t t = elapsed + offset;
  if (t >= slideFrames) return to;
  return from + (to - from) * double(t) / double(slideFrames);
}

void AudioEngine::Volume::Advance(int64_t frames) {
  if (slideFrames == 0) return;
  elapsed += frames;
  level = At(0);
  if (elapsed >= slideFrames) slideFrames = 0;
}

AudioEngine::AudioEngine() = default;

AudioEngine::~AudioEngine() { Free(); }

bool AudioEngine::Init(int frequency) {
  std::lock_guard lock(mutex_);
  if (ready_) return true;
  if (frequency < XMP_MIN_SRATE || frequency > XMP_MAX_SRATE) return false;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = frequency;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  want.userdata = this;
  want.callback = [](void* user, Uint8* stream, int length) {
    // The device's thread runs the game's code (the row callbacks): an overflow there is reported too.
    CrashHandler::PrepareThread();
    static_cast<AudioEngine*>(user)->Render(reinterpret_cast<int16_t*>(stream), length / 4);
  };
  SDL_AudioSpec have{};
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  frequency_ = frequency;
  ready_ = true;
  // The device starts paused, so its callback cannot be waiting for the lock held here.
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

bool AudioEngine::InitWithoutDevice(int frequency) {
  std::lock_guard lock(mutex_);
  if (ready_) return true;
  if (frequency < XMP_MIN_SRATE || frequency > XMP_MAX_SRATE) return false;
  frequency_ = frequency;
  ready_ = true;
  return true;
}

void AudioEngine::Free() {
  SDL_AudioDeviceID device;
  {
    std::lock_guard lock(mutex_);
    // From inside a row callback the mixer still walks the objects; closing is refused there.
    if (!ready_ || rendering_) return;
    device = device_;
    device_ = 0;
  }
  // Closing waits for the device's callback, which may be waiting for the lock: close outside it.
  if (device != 0) {
    SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  std::lock_guard lock(mutex_);
  ready_ = false;
  Release();
}

bool AudioEngine::IsReady() const {
  std::lock_guard lock(mutex_);
  return ready_;
}

void AudioEngine::Release() {
  channels_.clear();
  busy_.clear();
  samples_.clear();
  musics_.clear();
  retired_.clear();
  mix_.clear();
  mix_.shrink_to_fit();
}

AudioHandle AudioEngine::NextHandle() {
  if (++lastHandle_ == 0) ++lastHandle_;
  return lastHandle_;
}

AudioHandle AudioEngine::SampleLoad(const void* data, size_t size, int maxVoices, uint32_t flags) {
  std::lock_guard lock(mutex_);
  if (!ready_) return 0;
  auto sample = std::make_unique<Sample>();
  if (ParseWav(data, size, sample->sound) != WavStatus::Ok) return 0;
  sample->loop = (flags & kLoop) != 0;
  sample->steal = (flags & kStealQuietest) != 0;
  sample->voices.resize(size_t(std::clamp(maxVoices, 1, kMaxVoicesPerSample)));
  AudioHandle handle = NextHandle();
  samples_[handle] = std::move(sample);
  return handle;
}

AudioHandle AudioEngine::SampleGetChannel(AudioHandle sampleHandle) {
  std::lock_guard lock(mutex_);
  auto found = samples_.find(sampleHandle);
  if (found == samples_.end()) return 0;
  Sample& sample = *found->second;
  auto free = std::find_if(sample.voices.begin(), sample.voices.end(),
                           [](const Voice& v) { return v.state == ChannelState::Stopped; });
  if (free == sample.voices.end()) {
    if (!sample.steal) return 0;
    free = std::min_element(sample.voices.begin(), sample.voices.end(),
                            [](const Voice& a, const Voice& b) { return a.volume.At(0) < b.volume.At(0); });
  }
  if (free->handle != 0) channels_.erase(free->handle);
  *free = Voice{};
  free->handle = NextHandle();
  free->volume.level = sample.defaultVolume;
  channels_[free->handle] = {sampleHandle, size_t(free - sample.voices.begin())};
  return free->handle;
}

void AudioEngine::SampleStop(AudioHandle sampleHandle) {
  std::lock_guard lock(mutex_);
  auto found = samples_.find(sampleHandle);
  if (found == samples_.end()) return;
  for (Voice& voice : found->second->voices) {
    voice.state = ChannelState::Stopped;
    voice.position = 0.0;
  }
}

void AudioEngine::SampleFree(AudioHandle sampleHandle) {
  std::lock_guard lock(mutex_);
  auto found = samples_.find(sampleHandle);
  if (found == samples_.end()) return;
  for (const Voice& voice : found->second->voices)
    if (voice.handle != 0) channels_.erase(voice.handle);
  std::erase_if(busy_, [sampleHandle](const auto& entry) { return entry.first == sampleHandle; });
  samples_.erase(found);
}

bool AudioEngine::StartMusic(Music& music) {
  music.DropTick();
  ++music.jumps;
  xmp_end_player(music.context);
  return xmp_start_player(music.context, frequency_, 0) == 0;
}

AudioHandle AudioEngine::MusicLoad(const void* data, size_t size, uint32_t flags) {
  std::lock_guard lock(mutex_);
  if (!ready_ || data == nullptr || size == 0 || size > size_t(LONG_MAX)) return 0;
  auto music = std::make_unique<Music>();
  music->context = xmp_create_context();
  if (music->context == nullptr) return 0;
  // The loader takes a non-const pointer in older releases; it does not write through it.
  if (xmp_load_module_from_memory(music->context, const_cast<void*>(data), long(size)) != 0) {
    xmp_free_context(music->context);
    music->context = nullptr;
    return 0;
  }
  if (!StartMusic(*music)) return 0;
  xmp_module_info info;
  xmp_get_module_info(music->context, &info);
  music->orders = info.mod != nullptr ? info.mod->len : 0;
  music->loop = (flags & kLoop) != 0;
  music->handle = NextHandle();
  AudioHandle handle = music->handle;
  musics_[handle] = std::move(music);
  return handle;
}

void AudioEngine::MusicFree(AudioHandle musicHandle) {
  std::lock_guard lock(mutex_);
  auto found = musics_.find(musicHandle);
  if (found == musics_.end()) return;
  found->second->state = ChannelState::Stopped;
  if (rendering_) retired_.push_back(std::move(found->second));
  musics_.erase(found);
}

AudioEngine::Voice* AudioEngine::FindVoice(AudioHandle channel, AudioHandle* sampleHandle) {
  auto found = channels_.find(channel);
  if (found == channels_.end()) return nullptr;
  auto sample = samples_.find(found->second.first);
  if (sample == samples_.end()) return nullptr;
  Voice& voice = sample->second->voices[found->second.second];
  if (voice.handle != channel) return nullptr;
  if (sampleHandle != nullptr) *sampleHandle = sample->first;
  return &voice;
}

AudioEngine::Volume* AudioEngine::FindVolume(AudioHandle handle, AudioHandle* sampleHandle) {
  if (sampleHandle != nullptr) *sampleHandle = 0;
  if (Voice* voice = FindVoice(handle, sampleHandle)) return &voice->volume;
  auto music = musics_.find(handle);
  return music != musics_.end() ? &music->second->volume : nullptr;
}

void AudioEngine::MarkBusy(AudioHandle sampleHandle) {
  auto at = std::lower_bound(busy_.begin(), busy_.end(), sampleHandle,
                             [](const auto& entry, AudioHandle h) { return entry.first < h; });
  if (at != busy_.end() && at->first == sampleHandle) return;
  auto sample = samples_.find(sampleHandle);
  if (sample != samples_.end()) busy_.insert(at, {sampleHandle, sample->second.get()});
}

void AudioEngine::ChannelSetVolume(AudioHandle handle, int volume) {
  std::lock_guard lock(mutex_);
  auto sample = samples_.find(handle);
  if (sample != samples_.end()) {
    sample->second->defaultVolume = ClampVolume(volume);
  } else if (Volume* v = FindVolume(handle)) {
    v->level = ClampVolume(volume);
    v->slideFrames = 0;
  }
}

void AudioEngine::ChannelSlideVolume(AudioHandle handle, int volume, int milliseconds) {
  std::lock_guard lock(mutex_);
  auto sample = samples_.find(handle);
  if (sample != samples_.end()) {
    sample->second->defaultVolume = ClampVolume(volume);  // nothing sounds on the sample itself
    return;
  }
  AudioHandle owner = 0;
  Volume* v = FindVolume(handle, &owner);
  if (v == nullptr) return;
  v->level = v->At(0);
  v->from = v->level;
  v->to = ClampVolume(volume);
  v->elapsed = 0;
  v->slideFrames = milliseconds > 0 ? (int64_t(milliseconds) * frequency_ + 500) / 1000 : 0;
  if (v->slideFrames == 0) v->level = v->to;
  if (owner != 0 && v->slideFrames != 0) MarkBusy(owner);
}

void AudioEngine::ChannelPlay(AudioHandle handle, bool restart) {
  std::lock_guard lock(mutex_);
  AudioHandle owner = 0;
  if (Voice* voice = FindVoice(handle, &owner)) {
    if (restart) voice->position = 0.0;
    voice->state = ChannelState::Playing;
    MarkBusy(owner);
    return;
  }
  auto music = musics_.find(handle);
  if (music == musics_.end()) return;
  if (restart && !StartMusic(*music->second)) return;
  music->second->state = ChannelState::Playing;
}

void AudioEngine::ChannelPause(AudioHandle handle) {
  std::lock_guard lock(mutex_);
  ChannelState* state = nullptr;
  if (Voice* voice = FindVoice(handle)) {
    state = &voice->state;
  } else if (auto music = musics_.find(handle); music != musics_.end()) {
    state = &music->second->state;
  }
  if (state != nullptr && *state == ChannelState::Playing) *state = ChannelState::Paused;
}

void AudioEngine::ChannelStop(AudioHandle handle) {
  std::lock_guard lock(mutex_);
  if (Voice* voice = FindVoice(handle)) {
    voice->state = ChannelState::Stopped;
    voice->position = 0.0;
  } else if (auto music = musics_.find(handle); music != musics_.end()) {
    music->second->state = ChannelState::Stopped;
  }
}

ChannelState AudioEngine::ChannelIsActive(AudioHandle handle) {
  std::lock_guard lock(mutex_);
  if (Voice* voice = FindVoice(handle)) return voice->state;
  auto music = musics_.find(handle);
  return music != musics_.end() ? music->second->state : ChannelState::Stopped;
}

double AudioEngine::ChannelVolume(AudioHandle handle) {
  std::lock_guard lock(mutex_);
  auto sample = samples_.find(handle);
  if (sample != samples_.end()) return sample->second->defaultVolume;
  Volume* v = FindVolume(handle);
  return v != nullptr ? v->At(0) : -1.0;
}

void AudioEngine::ChannelSetPosition(AudioHandle musicHandle, int order) {
  std::lock_guard lock(mutex_);
  auto found = musics_.find(musicHandle);
  if (found == musics_.end()) return;
  Music& music = *found->second;
  if (order < 0 || order >= music.orders) return;
  xmp_frame_info info;
  xmp_get_frame_info(music.context, &info);
  // Asking for the order already playing leaves the player where it is; the row reset covers it.
  if (info.pos != order) xmp_set_position(music.context, order);
  xmp_set_row(music.context, 0);
  music.DropTick();
  ++music.jumps;
}

AudioHandle AudioEngine::ChannelSetSync(AudioHandle musicHandle, AudioSyncProc proc) {
  std::lock_guard lock(mutex_);
  auto found = musics_.find(musicHandle);
  if (found == musics_.end() || !proc) return 0;
  AudioHandle handle = NextHandle();
  found->second->syncs.push_back(Sync{handle, std::move(proc)});
  return handle;
}

void AudioEngine::ChannelRemoveSync(AudioHandle musicHandle, AudioHandle sync) {
  std::lock_guard lock(mutex_);
  auto found = musics_.find(musicHandle);
  if (found == musics_.end()) return;
  Music& music = *found->second;
  auto it = std::find_if(music.syncs.begin(), music.syncs.end(),
                         [sync](const Sync& s) { return s.handle == sync; });
  if (it == music.syncs.end()) return;
  // While the syncs are being called the list is walked; the entry goes once the walk ends.
  if (music.dispatching)
    it->removed = true;
  else
    music.syncs.erase(it);
}

void AudioEngine::FireSyncs(Music& music, int order, int row) {
  music.dispatching = true;
  size_t count = music.syncs.size();  // syncs added by a callback wait for the next row
  uint32_t jumps = music.jumps;
  auto it = music.syncs.begin();
  // Once a callback has moved the music, the row is never heard: the rest are not told of it.
  for (size_t i = 0; i < count && it != music.syncs.end() && music.jumps == jumps; ++i, ++it)
    if (!it->removed) it->proc(it->handle, music.handle, order, row);
  music.dispatching = false;
  music.syncs.remove_if([](const Sync& s) { return s.removed; });
}

bool AudioEngine::RenderTick(Music& music) {
  xmp_frame_info info;
  for (int attempt = 0;; ++attempt) {
    if (xmp_play_frame(music.context) != 0) {
      music.state = ChannelState::Stopped;
      return false;
    }
    xmp_get_frame_info(music.context, &info);
    if (info.loop_count > 0 && !music.loop) {
      // Played to its end: stop, and start from the top when played again.
      StartMusic(music);
      music.state = ChannelState::Stopped;
      return false;
    }
    if (info.frame == 0 && !music.syncs.empty()) {
      uint32_t jumps = music.jumps;
      FireSyncs(music, info.pos, info.row);
      if (music.state != ChannelState::Playing) return false;
      // A jump discards this tick, so the new row is the next thing heard.
      if (music.jumps != jumps && attempt < kMaxJumpsPerTick) continue;
    }
    break;
  }
  size_t frames = info.buffer_size > 0 ? size_t(info.buffer_size) / 4 : 0;
  const int16_t* buffer = static_cast<const int16_t*>(info.buffer);
  music.tick.assign(buffer, buffer + frames * 2);
  music.tickFrame = 0;
  return frames > 0;
}

void AudioEngine::MixMusic(Music& music, float* mix, int frames) {
  int done = 0;
  while (done < frames && music.state == ChannelState::Playing) {
    if (music.tickFrame * 2 >= music.tick.size() && !RenderTick(music)) break;
    size_t left = music.tick.size() / 2 - music.tickFrame;
    int n = int(std::min<size_t>(left, size_t(frames - done)));
    const int16_t* source = music.tick.data() + music.tickFrame * 2;
    float* target = mix + 2 * done;
    // Only a row callback, between ticks, changes the volume: a steady one holds for the run.
    if (music.volume.slideFrames == 0) {
      AddScaled(source, float(music.volume.level / 100.0 / 32768.0), target, size_t(n) * 2);
    } else {
      for (int i = 0; i < n; ++i) {
        float gain = float(music.volume.At(done + i) / 100.0 / 32768.0);
        target[2 * i] += source[2 * i] * gain;
        target[2 * i + 1] += source[2 * i + 1] * gain;
      }
    }
    music.tickFrame += size_t(n);
    done += n;
  }
}

void AudioEngine::MixVoice(Sample& sample, Voice& voice, float* mix, int frames) {
  const WavSound& sound = sample.sound;
  const int64_t total = sound.Frames();
  const int channels = sound.channels;
  const double step = double(sound.sampleRate) / double(frequency_);
  // The same gain as the slide's at every frame, worked out once when there is no slide.
  const bool sliding = voice.volume.slideFrames != 0;
  const float steady = float(voice.volume.level / 100.0);
  for (int i = 0; i < frames; ++i) {
    if (voice.position >= double(total)) {
      if (!sample.loop) break;
      voice.position -= double(total) * double(int64_t(voice.position / double(total)));
    }
    int64_t index = int64_t(voice.position);
    int64_t next = index + 1 < total ? index + 1 : (sample.loop ? 0 : index);
    float frac = float(voice.position - double(index));
    const float* a = &sound.samples[size_t(index * channels)];
    const float* b = &sound.samples[size_t(next * channels)];
    float left = a[0] + (b[0] - a[0]) * frac;
    float right = channels == 2 ? a[1] + (b[1] - a[1]) * frac : left;
    float gain = sliding ? float(voice.volume.At(i) / 100.0) : steady;
    mix[2 * i] += left * gain;
    mix[2 * i + 1] += right * gain;
    voice.position += step;
  }
  if (!sample.loop && voice.position >= double(total)) {
    voice.state = ChannelState::Stopped;
    voice.position = 0.0;
  }
}

bool AudioEngine::AdvanceVoices(Sample& sample, int64_t frames) {
  bool busy = false;
  for (Voice& voice : sample.voices) {
    voice.volume.Advance(frames);
    busy |= voice.state == ChannelState::Playing || voice.volume.slideFrames != 0;
  }
  return busy;
}

void AudioEngine::Render(int16_t* out, int frames) {
  if (out == nullptr || frames <= 0) return;
  std::lock_guard lock(mutex_);
  if (!ready_) {
    std::memset(out, 0, size_t(frames) * 4);
    return;
  }
  rendering_ = true;
  mix_.assign(size_t(frames) * 2, 0.0f);
  for (auto& [handle, sample] : busy_)
    for (Voice& voice : sample->voices)
      if (voice.state == ChannelState::Playing) MixVoice(*sample, voice, mix_.data(), frames);
  // Row callbacks may load or free musics: walk by handle, not by iterator.
  for (AudioHandle handle = 0;;) {
    auto it = musics_.upper_bound(handle);
    if (it == musics_.end()) break;
    handle = it->first;
    if (it->second->state == ChannelState::Playing) MixMusic(*it->second, mix_.data(), frames);
  }
  // Voices elsewhere neither play nor slide: advancing them would change nothing.
  size_t kept = 0;
  for (const auto& entry : busy_)
    if (AdvanceVoices(*entry.second, frames)) busy_[kept++] = entry;
  busy_.resize(kept);
  for (auto& [handle, music] : musics_) music->volume.Advance(frames);
  ToSamples(mix_.data(), out, mix_.size());
  rendering_ = false;
  retired_.clear();
}
