#include "framework/core/DataStream.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <vector>

#include "framework/core/Crc32.h"
#include "framework/core/Serializable.h"

namespace {

struct Sample : Serializable {
  int32_t magic = 0x5152;
  int32_t version = 1;
  int32_t number = 0x01020304;
  int32_t small = 200;
  int32_t shortValue = 0xFFFF;
  int32_t ushortValue = 0xFFFF;
  bool flag = true;
  String name = "ab";
  String empty;

  void Serialize(DataStream* s) override {
    s->TransferUShort(&magic);
    s->TransferChar(&version);
    s->TransferInt(&number);
    s->TransferChar(&small);
    s->TransferShort(&shortValue);
    s->TransferUShort(&ushortValue);
    s->TransferBool(&flag);
    s->TransferString(&name);
    s->TransferCString(&empty);
  }
};

std::vector<uint8_t> WriteSample(Sample* sample) {
  DataStream stream;
  stream.OpenWriteMemory();
  stream.Serialize(sample);
  EXPECT_TRUE(stream.Finish());
  return {stream.Written().begin(), stream.Written().end()};
}

bool ReadsBack(const std::vector<uint8_t>& bytes, Sample* out) {
  DataStream stream;
  stream.OpenMemory(bytes.data(), bytes.size());
  stream.Serialize(out);
  const bool ok = stream.Finish();
  EXPECT_EQ(ok, stream.CrcOk());
  return ok;
}

std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::string("qm_ds_") + std::to_string(getpid()) + name)).string();
}

TEST(DataStreamTest, WritesTheExactRecordBytes) {
  Sample sample;
  const std::vector<uint8_t> bytes = WriteSample(&sample);
  const std::vector<uint8_t> body = {0x51, 0x52, 0x01, 0x01, 0x02, 0x03, 0x04, 0xC8, 0xFF, 0xFF,
                                     0xFF, 0xFF, 0x01, 'a',  'b',  0x00, 0x00};
  ASSERT_EQ(bytes.size(), body.size() + 4);
  EXPECT_TRUE(std::equal(body.begin(), body.end(), bytes.begin()));
  const uint32_t crc = Crc32(body.data(), body.size());
  EXPECT_EQ(bytes[17], crc >> 24);
  EXPECT_EQ(bytes[18], (crc >> 16) & 0xFF);
  EXPECT_EQ(bytes[19], (crc >> 8) & 0xFF);
  EXPECT_EQ(bytes[20], crc & 0xFF);
}

TEST(DataStreamTest, ReadsBackWithSignRules) {
  Sample sample;
  const std::vector<uint8_t> bytes = WriteSample(&sample);
  Sample read;
  read.number = 0;
  read.name = "stale";
  read.empty = "stale";
  ASSERT_TRUE(ReadsBack(bytes, &read));
  EXPECT_EQ(read.magic, 0x5152);
  EXPECT_EQ(read.number, 0x01020304);
  EXPECT_EQ(read.small, -56);
  EXPECT_EQ(read.shortValue, -1);
  EXPECT_EQ(read.ushortValue, 65535);
  EXPECT_TRUE(read.flag);
  EXPECT_STREQ(read.name.CStr(), "ab");
  EXPECT_TRUE(read.empty.IsEmpty());
}

TEST(DataStreamTest, BooleanIsTrueOnlyForOne) {
  Sample sample;
  std::vector<uint8_t> bytes = WriteSample(&sample);
  bytes[12] = 2;
  const uint32_t crc = Crc32(bytes.data(), 17);
  for (int i = 0; i < 4; ++i) bytes[17 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
  Sample read;
  EXPECT_TRUE(ReadsBack(bytes, &read));
  EXPECT_FALSE(read.flag);
}

TEST(DataStreamTest, AnyChangedByteOrTruncationFailsTheCrcAndBytesAfterTheTrailerAreNotRead) {
  Sample sample;
  const std::vector<uint8_t> bytes = WriteSample(&sample);
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::vector<uint8_t> changed = bytes;
    changed[i] ^= 0x10;
    Sample read;
    EXPECT_FALSE(ReadsBack(changed, &read)) << "byte " << i;
  }
  for (size_t n = 0; n < bytes.size(); ++n) {
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(n));
    Sample read;
    EXPECT_FALSE(ReadsBack(cut, &read)) << "length " << n;
  }
  std::vector<uint8_t> longer = bytes;
  longer.insert(longer.end(), {0x00, 0xFF});
  Sample read;
  EXPECT_TRUE(ReadsBack(longer, &read));
  EXPECT_EQ(read.number, 0x01020304);
}

TEST(DataStreamTest, OverlongStringIsCutAndFailsTheRecord) {
  std::vector<uint8_t> bytes(DataStream::kMaxStringLength + 10, 'x');
  bytes.push_back(0);
  const uint32_t crc = Crc32(bytes.data(), bytes.size());
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(crc >> (24 - 8 * i)));
  DataStream stream;
  stream.OpenMemory(bytes.data(), bytes.size());
  String text;
  stream.TransferString(&text);
  EXPECT_EQ(text.Length(), DataStream::kMaxStringLength);
  EXPECT_FALSE(stream.Finish());
}

TEST(DataStreamTest, RemainingBoundsCounts) {
  const uint8_t bytes[] = {0, 0, 0, 5, 1, 2};
  DataStream stream;
  stream.OpenMemory(bytes, sizeof bytes);
  EXPECT_EQ(stream.Remaining(), 6u);
  int32_t count = 0;
  stream.TransferInt(&count);
  EXPECT_EQ(count, 5);
  EXPECT_EQ(stream.Remaining(), 2u);
  stream.TransferInt(&count);  // past the end: zeros
  EXPECT_EQ(count, 0x01020000);
  EXPECT_EQ(stream.Remaining(), 0u);
}

TEST(DataStreamTest, ModeNoneTransfersNothing) {
  DataStream stream;
  int32_t value = 7;
  stream.TransferInt(&value);
  EXPECT_EQ(value, 7);
  EXPECT_FALSE(stream.Finish());
}

TEST(DataStreamTest, TransferBlockFoldsWithoutWriting) {
  Sample sample;
  const char folder[] = "/opt/game/";
  DataStream out;
  out.OpenWriteMemory();
  out.Serialize(&sample);
  EXPECT_TRUE(out.TransferBlock(folder, 10));
  const std::vector<uint8_t> bytes(out.Written().begin(), out.Written().end());
  EXPECT_EQ(bytes.size(), 21u);

  DataStream in;
  Sample read;
  in.OpenMemory(bytes.data(), bytes.size());
  in.Serialize(&read);
  EXPECT_TRUE(in.TransferBlock(folder, 10));
  in.OpenMemory(bytes.data(), bytes.size());
  in.Serialize(&read);
  EXPECT_FALSE(in.TransferBlock("/elsewhere/", 11));
}

TEST(DataStreamTest, FileRoundTripAndAtomicReplace) {
  const std::string path = TempPath("record");
  Sample sample;
  {
    DataStream out;
    ASSERT_TRUE(out.OpenWrite(path.c_str()));
    out.Serialize(&sample);
    EXPECT_TRUE(out.Finish());
  }
  std::ifstream file(path, std::ios::binary);
  const std::vector<char> original((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(original.size(), 21u);
  {
    DataStream in;
    Sample read;
    ASSERT_TRUE(in.OpenRead(path.c_str()));
    EXPECT_EQ(in.Remaining(), 21u);
    in.Serialize(&read);
    EXPECT_TRUE(in.Finish());
    EXPECT_EQ(read.small, -56);
  }
  {
    // A write abandoned before Finish (a crash, a full disk) leaves the old record as it was.
    DataStream out;
    ASSERT_TRUE(out.OpenWrite(path.c_str()));
    sample.name = "a much longer name";
    out.Serialize(&sample);
  }
  std::ifstream again(path, std::ios::binary);
  const std::vector<char> after((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
  EXPECT_EQ(after, original);
  const auto folder = std::filesystem::path(path).parent_path();
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    EXPECT_EQ(entry.path().filename().string().find("qm_ds_" + std::to_string(getpid()) + "record."), std::string::npos)
        << "temporary file left behind: " << entry.path();
  }
  std::filesystem::remove(path);
}

TEST(DataStreamTest, MissingFilesFailToOpen) {
  DataStream stream;
  EXPECT_FALSE(stream.OpenRead("/nonexistent/folder/file"));
  EXPECT_FALSE(stream.OpenWrite("/nonexistent/folder/file"));
  int32_t value = 1;
  stream.TransferInt(&value);
  EXPECT_FALSE(stream.Finish());
}

TEST(DataStreamTest, FifoInPlaceOfARecordFailsWithoutWaiting) {
  const std::string path = TempPath("fifo");
  std::filesystem::remove(path);
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  auto opened = std::async(std::launch::async, [&] {
    DataStream stream;
    return stream.OpenRead(path.c_str());
  });
  const bool answered = opened.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  if (!answered) {
    // Give the stuck open a writer so the test can end.
    const int writer = open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) close(writer);
  }
  EXPECT_TRUE(answered);
  EXPECT_FALSE(opened.get());
  std::filesystem::remove(path);
}

}  // namespace
