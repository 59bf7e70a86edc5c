#include "platform/WavParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/platform/TestSounds.h"

using namespace test_sounds;

namespace {

WavStatus Parse(const std::vector<uint8_t>& file, WavSound& out) {
  return ParseWav(file.data(), file.size(), out);
}

}  // namespace

TEST(WavParser, ConvertsEverySampleSizeToUnitRange) {
  WavSound s;
  ASSERT_EQ(Parse(MakeWav(1, 22050, 8, {0, 128, 255}), s), WavStatus::Ok);
  EXPECT_EQ(s.channels, 1);
  EXPECT_EQ(s.sampleRate, 22050);
  ASSERT_EQ(s.Frames(), 3);
  EXPECT_FLOAT_EQ(s.samples[0], -1.0f);
  EXPECT_FLOAT_EQ(s.samples[1], 0.0f);
  EXPECT_FLOAT_EQ(s.samples[2], 127.0f / 128.0f);

  ASSERT_EQ(Parse(MakeWav(2, 44100, 16, {-32768, 16384, 0, 32767}), s), WavStatus::Ok);
  EXPECT_EQ(s.channels, 2);
  ASSERT_EQ(s.Frames(), 2);
  EXPECT_FLOAT_EQ(s.samples[0], -1.0f);
  EXPECT_FLOAT_EQ(s.samples[1], 0.5f);
  EXPECT_FLOAT_EQ(s.samples[3], 32767.0f / 32768.0f);

  ASSERT_EQ(Parse(MakeWav(1, 48000, 24, {-0x800000, 0x400000}), s), WavStatus::Ok);
  EXPECT_FLOAT_EQ(s.samples[0], -1.0f);
  EXPECT_FLOAT_EQ(s.samples[1], 0.5f);

  ASSERT_EQ(Parse(MakeWav(1, 48000, 32, {int64_t(0xC0000000u)}), s), WavStatus::Ok);
  EXPECT_FLOAT_EQ(s.samples[0], -0.5f);
}

TEST(WavParser, ReadsFloatAndExtensibleHeaders) {
  auto floatBits = [](float f) {
    uint32_t b;
    std::memcpy(&b, &f, 4);
    return int64_t(b);
  };
  WavSound s;
  auto file = Riff({FormatChunk(3, 1, 44100, 32),
                    DataChunk(32, {floatBits(0.25f), floatBits(7.0f), floatBits(NAN)})});
  ASSERT_EQ(Parse(file, s), WavStatus::Ok);
  EXPECT_FLOAT_EQ(s.samples[0], 0.25f);
  EXPECT_FLOAT_EQ(s.samples[1], 1.0f);  // out-of-range floats are clipped
  EXPECT_FLOAT_EQ(s.samples[2], 0.0f);  // NaN is silenced

  std::vector<uint8_t> fmt = FormatChunk(0xFFFE, 2, 44100, 16);
  fmt[4] = 40;  // chunk size
  Put16(fmt, 22);
  Put16(fmt, 16);
  Put32(fmt, 3);
  Put16(fmt, 1);  // sub-format: PCM
  const uint8_t tail[14] = {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
  fmt.insert(fmt.end(), tail, tail + 14);
  ASSERT_EQ(Parse(Riff({fmt, DataChunk(16, {16384, -16384})}), s), WavStatus::Ok);
  EXPECT_EQ(s.channels, 2);
  EXPECT_FLOAT_EQ(s.samples[1], -0.5f);

  fmt.back() = 0x70;  // some other sub-format
  EXPECT_EQ(Parse(Riff({fmt, DataChunk(16, {0, 0})}), s), WavStatus::UnsupportedFormat);
}

TEST(WavParser, SkipsOtherChunksWithPaddingInAnyOrder) {
  std::vector<uint8_t> list;
  PutId(list, "LIST");
  Put32(list, 3);
  list.insert(list.end(), {'a', 'b', 'c', 0});  // odd size plus pad byte
  WavSound s;
  ASSERT_EQ(Parse(Riff({list, DataChunk(16, {1000, 2000}), FormatChunk(1, 1, 8000, 16)}), s),
            WavStatus::Ok);
  EXPECT_EQ(s.Frames(), 2);
  EXPECT_EQ(s.sampleRate, 8000);
}

TEST(WavParser, RejectsBadHeadersWithAClearStatus) {
  WavSound s;
  EXPECT_EQ(ParseWav(nullptr, 100, s), WavStatus::TooShort);
  EXPECT_EQ(Parse({'R', 'I', 'F', 'F'}, s), WavStatus::TooShort);
  auto good = ConstantWav(4, 100);
  auto notWave = good;
  notWave[8] = 'X';
  EXPECT_EQ(Parse(notWave, s), WavStatus::NotRiff);
  EXPECT_EQ(Parse(Riff({DataChunk(16, {1, 2})}), s), WavStatus::NoFormat);
  EXPECT_EQ(Parse(Riff({FormatChunk(1, 1, 44100, 16)}), s), WavStatus::NoData);
  EXPECT_EQ(Parse(Riff({FormatChunk(1, 2, 44100, 16), DataChunk(8, {1, 2})}), s),
            WavStatus::NoData);  // two bytes: less than one 4-byte frame
  EXPECT_EQ(Parse(Riff({FormatChunk(2, 1, 44100, 16), DataChunk(16, {1})}), s),
            WavStatus::UnsupportedFormat);  // compressed
  EXPECT_EQ(Parse(Riff({FormatChunk(1, 3, 44100, 16), DataChunk(16, {1, 2, 3})}), s),
            WavStatus::UnsupportedFormat);
  EXPECT_EQ(Parse(Riff({FormatChunk(1, 0, 44100, 16), DataChunk(16, {1})}), s),
            WavStatus::UnsupportedFormat);
  EXPECT_EQ(Parse(Riff({FormatChunk(1, 1, 44100, 12), DataChunk(16, {1})}), s),
            WavStatus::UnsupportedFormat);
  EXPECT_EQ(Parse(Riff({FormatChunk(1, 1, 0, 16), DataChunk(16, {1})}), s), WavStatus::BadFormat);

  auto badAlign = FormatChunk(1, 2, 44100, 16);
  badAlign[20] = 1;  // block align 1 for 4-byte frames
  EXPECT_EQ(Parse(Riff({badAlign, DataChunk(16, {1, 2})}), s), WavStatus::BadFormat);
  EXPECT_TRUE(s.samples.empty());
  EXPECT_EQ(s.channels, 0);
}

TEST(WavParser, LengthsBeyondTheFileAreNeverFollowed) {
  WavSound s;
  // A chunk claiming 4 GB before the format: the walk ends there, nothing is read beyond.
  std::vector<uint8_t> huge;
  PutId(huge, "junk");
  Put32(huge, 0xFFFFFFFF);
  EXPECT_EQ(Parse(Riff({huge, FormatChunk(1, 1, 44100, 16), DataChunk(16, {1})}), s),
            WavStatus::NoFormat);

  // A data chunk longer than the file keeps the whole frames that are there.
  auto file = MakeWav(2, 44100, 16, {1, 2, 3, 4, 5, 6});
  file.resize(file.size() - 3);
  ASSERT_EQ(Parse(file, s), WavStatus::Ok);
  EXPECT_EQ(s.Frames(), 2);

  // Every prefix of a valid file parses or fails cleanly.
  auto full = MakeWav(2, 44100, 24, {1, 2, 3, 4, 5, 6, 7, 8});
  for (size_t n = 0; n <= full.size(); ++n) {
    std::vector<uint8_t> prefix(full.begin(), full.begin() + long(n));
    WavStatus status = Parse(prefix, s);
    if (status == WavStatus::Ok) EXPECT_EQ(s.samples.size() % 2, 0u) << n;
    else EXPECT_TRUE(s.samples.empty()) << n;
  }
}
