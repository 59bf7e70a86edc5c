#include "framework/core/PackFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "framework/core/Crc32.h"
#include "framework/core/PackFormat.h"
#include "framework/core/PackWriter.h"

namespace {

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::string AsText(ResourceModule::Bytes bytes) {
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void Put32(std::vector<uint8_t>* pack, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) (*pack)[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

// Recomputes the table CRC after a test changed the table on purpose.
void ResealTable(std::vector<uint8_t>* pack) {
  const uint32_t count = (*pack)[8] | (*pack)[9] << 8;
  Put32(pack, 12, Crc32(pack->data() + kPackHeaderSize, count * kPackEntrySize));
}

std::vector<uint8_t> SamplePack() {
  PackWriter writer;
  EXPECT_TRUE(writer.Add("STRING", 144, Bytes("lower toggle")));
  EXPECT_TRUE(writer.Add("PNG", 144, Bytes("\x89PNG picture")));
  EXPECT_TRUE(writer.Add("TXT", 7, Bytes("a\r\nb")));
  EXPECT_TRUE(writer.Add("WAVE", 65535, Bytes("RIFF")));
  return writer.Build();
}

TEST(PackFileTest, FindsResourcesByTypeAndId) {
  const std::vector<uint8_t> bytes = SamplePack();
  PackFile pack;
  ASSERT_TRUE(pack.OpenMemory(bytes.data(), bytes.size()));
  EXPECT_EQ(pack.Count(), 4u);
  EXPECT_EQ(AsText(pack.Find("STRING", 144)), "lower toggle");
  EXPECT_EQ(AsText(pack.Find("PNG", 144)), "\x89PNG picture");
  EXPECT_EQ(AsText(pack.Find("WAVE", 65535)), "RIFF");
  EXPECT_TRUE(pack.Find("PNG", 145).empty());
  EXPECT_TRUE(pack.Find("JPG", 144).empty());
  EXPECT_TRUE(pack.Find("STRINGLONGER", 144).empty());
  EXPECT_EQ(reinterpret_cast<uintptr_t>(pack.Find("TXT", 7).data()) % kPackAlignment,
            reinterpret_cast<uintptr_t>(bytes.data()) % kPackAlignment);
}

TEST(PackFileTest, WriterRefusesClashesAndBadTypes) {
  PackWriter writer;
  EXPECT_TRUE(writer.Add("PNG", 1, Bytes("a")));
  EXPECT_FALSE(writer.Add("PNG", 1, Bytes("b")));
  EXPECT_FALSE(writer.Add("png", 2, Bytes("b")));
  EXPECT_FALSE(writer.Add("", 2, Bytes("b")));
  EXPECT_FALSE(writer.Add("TOOLONGNAME", 2, Bytes("b")));
  EXPECT_EQ(writer.Count(), 1u);
}

TEST(PackFileTest, DamagedHeaderOrTableRefusesThePack) {
  const std::vector<uint8_t> good = SamplePack();
  PackFile pack;
  EXPECT_FALSE(pack.OpenMemory(nullptr, 0));
  EXPECT_FALSE(pack.OpenMemory(good.data(), 10));
  for (size_t at : {0u, 4u, 8u, 12u, 40u, 60u}) {
    std::vector<uint8_t> bad = good;
    bad[at] ^= 0x01;
    EXPECT_FALSE(pack.OpenMemory(bad.data(), bad.size())) << "byte " << at;
    EXPECT_TRUE(pack.Find("STRING", 144).empty());
  }
  std::vector<uint8_t> huge = good;
  Put32(&huge, 8, 0xFFFFFFFFu);
  EXPECT_FALSE(pack.OpenMemory(huge.data(), huge.size()));
}

TEST(PackFileTest, BadEntriesReadAsMissing) {
  const std::vector<uint8_t> good = SamplePack();
  PackFile pack;
  // Entries sort as PNG 144, STRING 144, TXT 7, WAVE 65535.
  {
    std::vector<uint8_t> bad = good;
    Put32(&bad, kPackHeaderSize + kPackEntrySize + 16, 0x7FFFFFFF);  // STRING size beyond the end
    ResealTable(&bad);
    ASSERT_TRUE(pack.OpenMemory(bad.data(), bad.size()));
    EXPECT_TRUE(pack.Find("STRING", 144).empty());
    EXPECT_EQ(AsText(pack.Find("PNG", 144)), "\x89PNG picture");
  }
  {
    std::vector<uint8_t> bad = good;
    Put32(&bad, kPackHeaderSize + 12, 4);  // PNG data inside the header
    ResealTable(&bad);
    ASSERT_TRUE(pack.OpenMemory(bad.data(), bad.size()));
    EXPECT_TRUE(pack.Find("PNG", 144).empty());
  }
  {
    std::vector<uint8_t> bad = good;
    bad[kPackHeaderSize + 2 * kPackEntrySize + 4] = 'x';  // "TXT" padding not NUL
    ResealTable(&bad);
    ASSERT_TRUE(pack.OpenMemory(bad.data(), bad.size()));
    EXPECT_TRUE(pack.Find("TXT", 7).empty());
    EXPECT_EQ(AsText(pack.Find("WAVE", 65535)), "RIFF");
  }
  {
    std::vector<uint8_t> bad = good;
    Put32(&bad, kPackHeaderSize + 2 * kPackEntrySize, 0x00565741);  // TXT renamed "AWV": out of order
    ResealTable(&bad);
    ASSERT_TRUE(pack.OpenMemory(bad.data(), bad.size()));
    EXPECT_TRUE(pack.Find("AWV", 7).empty());
    EXPECT_EQ(AsText(pack.Find("WAVE", 65535)), "RIFF");
  }
  {
    std::vector<uint8_t> bad = good;
    // A duplicate of PNG 144 over the STRING entry: neither can be trusted.
    std::copy_n(bad.begin() + kPackHeaderSize, kPackEntrySize, bad.begin() + kPackHeaderSize + kPackEntrySize);
    ResealTable(&bad);
    ASSERT_TRUE(pack.OpenMemory(bad.data(), bad.size()));
    EXPECT_TRUE(pack.Find("PNG", 144).empty());
  }
  {
    std::vector<uint8_t> bad = good;
    bad.back() ^= 0xFF;  // the last resource's data, outside the table
    ASSERT_TRUE(pack.OpenMemory(bad.data(), bad.size()));
    EXPECT_TRUE(pack.Find("WAVE", 65535).empty());
    EXPECT_TRUE(pack.Find("WAVE", 65535).empty());
    EXPECT_EQ(AsText(pack.Find("TXT", 7)), "a\r\nb");
  }
  {
    std::vector<uint8_t> cut(good.begin(), good.end() - 2);  // truncated in the last entry
    ASSERT_TRUE(pack.OpenMemory(cut.data(), cut.size()));
    EXPECT_TRUE(pack.Find("WAVE", 65535).empty());
    EXPECT_EQ(AsText(pack.Find("STRING", 144)), "lower toggle");
  }
}

TEST(PackFileTest, EveryTruncationAndByteFlipIsSafe) {
  const std::vector<uint8_t> good = SamplePack();
  for (size_t n = 0; n < good.size(); ++n) {
    std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(n));
    PackFile pack;
    if (pack.OpenMemory(cut.data(), cut.size())) {
      for (const char* type : {"PNG", "STRING", "TXT", "WAVE"}) {
        for (uint32_t id : {7u, 144u, 65535u}) {
          const auto found = pack.Find(type, id);
          if (!found.empty()) {
            EXPECT_LE(found.data() + found.size(), cut.data() + cut.size());
          }
        }
      }
    }
    std::vector<uint8_t> flipped = good;
    flipped[n] ^= 0x5A;
    PackFile other;
    if (other.OpenMemory(flipped.data(), flipped.size())) {
      const std::string text = AsText(other.Find("STRING", 144));
      EXPECT_TRUE(text.empty() || text == "lower toggle") << "byte " << n;
    }
  }
}

TEST(PackFileTest, OpensFromAFileAndReportsAMissingOne) {
  const std::vector<uint8_t> bytes = SamplePack();
  const auto path = std::filesystem::temp_directory_path() / ("qm_pack_" + std::to_string(getpid()) + ".pak");
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
  {
    PackFile pack;
    ASSERT_TRUE(pack.Open(path.string()));
    EXPECT_EQ(AsText(pack.Find("STRING", 144)), "lower toggle");
    pack.Close();
    EXPECT_FALSE(pack.IsOpen());
    EXPECT_TRUE(pack.Find("STRING", 144).empty());
  }
  std::filesystem::remove(path);
  PackFile missing;
  EXPECT_FALSE(missing.Open(path.string()));
  EXPECT_FALSE(missing.Open(std::filesystem::temp_directory_path().string()));
}

TEST(PackFileTest, APackCutShortOnDiskWhileOpenStillReads) {
  const std::vector<uint8_t> bytes = SamplePack();
  const auto path = std::filesystem::temp_directory_path() / ("qm_pack_cut_" + std::to_string(getpid()) + ".pak");
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
  PackFile pack;
  ASSERT_TRUE(pack.Open(path.string()));
  std::filesystem::resize_file(path, 0);
  EXPECT_EQ(AsText(pack.Find("WAVE", 65535)), "RIFF");
  EXPECT_EQ(AsText(pack.Find("STRING", 144)), "lower toggle");
  std::filesystem::remove(path);
}

}  // namespace
