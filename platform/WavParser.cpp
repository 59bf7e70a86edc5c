#include "platform/WavParser.h"

#include <cstring>

namespace {

constexpr uint16_t kTagPcm = 1;
constexpr uint16_t kTagFloat = 3;
constexpr uint16_t kTagExtensible = 0xFFFE;
// The tail shared by the sub-format GUIDs of plain PCM and float in an extensible header.
constexpr uint8_t kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                   0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

uint16_t Read16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t Read32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

struct Format {
  uint16_t tag = 0;
  int channels = 0;
  uint32_t rate = 0;
  int blockAlign = 0;
  int bits = 0;
};

WavStatus ReadFormat(const uint8_t* p, uint64_t size, Format& f) {
  if (size < 16) return WavStatus::NoFormat;
  f.tag = Read16(p);
  f.channels = Read16(p + 2);
  f.rate = Read32(p + 4);
  f.blockAlign = Read16(p + 12);
  f.bits = Read16(p + 14);
  if (f.tag == kTagExtensible) {
    if (size < 40 || Read16(p + 16) < 22) return WavStatus::BadFormat;
    if (std::memcmp(p + 26, kGuidTail, sizeof kGuidTail) != 0) return WavStatus::UnsupportedFormat;
    f.tag = Read16(p + 24);
  }
  if (f.tag != kTagPcm && f.tag != kTagFloat) return WavStatus::UnsupportedFormat;
  if (f.channels < 1 || f.channels > 2) return WavStatus::UnsupportedFormat;
  bool bitsOk = f.tag == kTagFloat ? f.bits == 32
                                   : (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32);
  if (!bitsOk) return WavStatus::UnsupportedFormat;
  if (f.rate == 0 || f.rate > 1000000) return WavStatus::BadFormat;
  if (f.blockAlign != f.channels * f.bits / 8) return WavStatus::BadFormat;
  return WavStatus::Ok;
}

float Convert(const uint8_t* p, const Format& f) {
  switch (f.bits) {
    case 8:
      return (int(p[0]) - 128) / 128.0f;
    case 16:
      return int16_t(Read16(p)) / 32768.0f;
    case 24: {
      int32_t v = int32_t((uint32_t(p[0]) << 8) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 24));
      return float(v / 2147483648.0);
    }
    default: {
      uint32_t bits = Read32(p);
      if (f.tag == kTagFloat) {
        float v;
        std::memcpy(&v, &bits, sizeof v);
        if (!(v == v)) return 0.0f;  // NaN would poison the whole mix
        return v < -1.0f ? -1.0f : (v > 1.0f ? 1.0f : v);
      }
      return float(int32_t(bits) / 2147483648.0);
    }
  }
}

}  // namespace

WavStatus ParseWav(const void* data, size_t size, WavSound& out) {
  out = WavSound{};
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  if (bytes == nullptr || size < 12) return WavStatus::TooShort;
  if (std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
    return WavStatus::NotRiff;

  Format format;
  WavStatus formatStatus = WavStatus::NoFormat;
  const uint8_t* samples = nullptr;
  uint64_t sampleBytes = 0;
  uint64_t pos = 12;
  while (pos + 8 <= size) {
    uint64_t chunkSize = Read32(bytes + pos + 4);
    uint64_t body = pos + 8;
    uint64_t available = size - body;
    if (std::memcmp(bytes + pos, "fmt ", 4) == 0 && formatStatus == WavStatus::NoFormat) {
      formatStatus = chunkSize <= available ? ReadFormat(bytes + body, chunkSize, format)
                                            : WavStatus::NoFormat;
    } else if (std::memcmp(bytes + pos, "data", 4) == 0 && samples == nullptr) {
      // A data chunk cut short by a truncated file keeps the frames that are really there.
      samples = bytes + body;
      sampleBytes = chunkSize < available ? chunkSize : available;
    }
    pos = body + chunkSize + (chunkSize & 1);
  }
  if (formatStatus != WavStatus::Ok) return formatStatus;
  if (samples == nullptr) return WavStatus::NoData;
  uint64_t frames = sampleBytes / uint64_t(format.blockAlign);
  if (frames == 0) return WavStatus::NoData;

  int bytesPerSample = format.bits / 8;
  uint64_t count = frames * uint64_t(format.channels);
  out.samples.resize(count);
  for (uint64_t i = 0; i < count; ++i) out.samples[i] = Convert(samples + i * bytesPerSample, format);
  out.channels = format.channels;
  out.sampleRate = int(format.rate);
  return WavStatus::Ok;
}
