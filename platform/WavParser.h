#pragma once
// Reads RIFF/WAVE sample data (integer PCM of 8, 16, 24 or 32 bits, or 32-bit float; mono or
// stereo) into interleaved float samples in -1..1. Every size in the file is checked against
// the bytes that are really there; a failure is a status, never a partial sound.
#include <cstddef>
#include <cstdint>
#include <vector>

enum class WavStatus {
  Ok,
  TooShort,           // not even a RIFF header
  NotRiff,            // no "RIFF"/"WAVE" signature
  NoFormat,           // no usable "fmt " chunk
  UnsupportedFormat,  // compressed data, odd sample size or more than two channels
  BadFormat,          // inconsistent numbers in "fmt " (block align, rate)
  NoData,             // no "data" chunk or no whole frame in it
};

struct WavSound {
  int channels = 0;    // 1 or 2
  int sampleRate = 0;  // frames per second
  std::vector<float> samples;  // frames * channels values

  int64_t Frames() const { return channels > 0 ? int64_t(samples.size()) / channels : 0; }
};

// Parses `size` bytes at `data` into `out` (left empty unless the answer is Ok).
WavStatus ParseWav(const void* data, size_t size, WavSound& out);
