#pragma once
// Sound data made in code for tests: WAV files and a small four-channel tracker module.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace test_sounds {

inline void Put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
inline void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
inline void PutId(std::vector<uint8_t>& b, const char* id) { b.insert(b.end(), id, id + 4); }

inline std::vector<uint8_t> FormatChunk(uint16_t tag, int channels, int rate, int bits) {
  std::vector<uint8_t> c;
  PutId(c, "fmt ");
  Put32(c, 16);
  Put16(c, tag);
  Put16(c, uint16_t(channels));
  Put32(c, uint32_t(rate));
  Put32(c, uint32_t(rate * channels * bits / 8));
  Put16(c, uint16_t(channels * bits / 8));
  Put16(c, uint16_t(bits));
  return c;
}

// Sample values are written as raw little-endian integers of bits/8 bytes each.
inline std::vector<uint8_t> DataChunk(int bits, const std::vector<int64_t>& values) {
  std::vector<uint8_t> c;
  PutId(c, "data");
  Put32(c, uint32_t(values.size() * size_t(bits / 8)));
  for (int64_t v : values)
    for (int i = 0; i < bits / 8; ++i) c.push_back(uint8_t(uint64_t(v) >> (8 * i)));
  return c;
}

inline std::vector<uint8_t> Riff(const std::vector<std::vector<uint8_t>>& chunks) {
  std::vector<uint8_t> body;
  PutId(body, "WAVE");
  for (const auto& c : chunks) body.insert(body.end(), c.begin(), c.end());
  std::vector<uint8_t> file;
  PutId(file, "RIFF");
  Put32(file, uint32_t(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

inline std::vector<uint8_t> MakeWav(int channels, int rate, int bits, const std::vector<int64_t>& values) {
  return Riff({FormatChunk(1, channels, rate, bits), DataChunk(bits, values)});
}

// A mono 16-bit sound holding `frames` copies of `value`.
inline std::vector<uint8_t> ConstantWav(int frames, int16_t value, int rate = 44100) {
  return MakeWav(1, rate, 16, std::vector<int64_t>(size_t(frames), value));
}

// A four-channel module of `orders` orders, order i playing pattern i of 64 rows at the default
// speed (6 ticks a row, 125 BPM: 882 frames a tick at 44.1 kHz). Every pattern starts a looped
// square-wave note on channel 0, so the music is never silent.
inline std::vector<uint8_t> MakeTrackerModule(int orders) {
  std::vector<uint8_t> m(1084, 0);
  std::memcpy(m.data(), "test module", 11);
  const int sampleBytes = 32;
  uint8_t* header = &m[20];
  header[23] = sampleBytes / 2;  // length in words, big-endian
  header[25] = 64;               // volume
  header[29] = sampleBytes / 2;  // loop length in words
  m[950] = uint8_t(orders);
  m[951] = 127;
  for (int i = 0; i < orders; ++i) m[952 + i] = uint8_t(i);
  std::memcpy(&m[1080], "M.K.", 4);
  for (int p = 0; p < orders; ++p) {
    std::vector<uint8_t> pattern(64 * 4 * 4, 0);
    const int period = 428;
    pattern[0] = uint8_t(period >> 8);
    pattern[1] = uint8_t(period & 0xFF);
    pattern[2] = 0x10;  // sample 1, no effect
    m.insert(m.end(), pattern.begin(), pattern.end());
  }
  for (int i = 0; i < sampleBytes; ++i) m.push_back(i < sampleBytes / 2 ? 100 : 156);
  return m;
}

constexpr int kFramesPerTick = 882;
constexpr int kFramesPerRow = 6 * kFramesPerTick;

}  // namespace test_sounds
