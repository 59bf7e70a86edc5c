#pragma once
// The binary record stream: big-endian fields, every byte folded into a running CRC-32, and a
// CRC trailer that reading checks. One object either writes or reads; records use the same
// sequence of transfers for both.
//
// Files are written through a temporary file that replaces the target only when Finish has
// written the trailer completely, so a failed or abandoned write leaves the old record intact.
#include <cstdint>
#include <span>
#include <vector>

#include "framework/core/String.h"
#include "platform/AtomicFile.h"

class Serializable;

class DataStream {
 public:
  enum Mode { kNone = 0, kWrite = 1, kRead = 2 };

  // Longest string a read accepts; a longer one fails the record.
  static constexpr int kMaxStringLength = 65535;
  // Largest record file OpenRead accepts by default.
  static constexpr size_t kMaxFileBytes = 16 << 20;

  // Also reseeds the random generator from the millisecond clock, which dealing relies on.
  DataStream();
  DataStream(const DataStream&) = delete;
  DataStream& operator=(const DataStream&) = delete;
  virtual ~DataStream();

  // Discards an unfinished write and any buffer; keeps the mode and the CRC register.
  void Close();

  bool OpenWrite(const char* fileName);
  // Reads the whole file at once: false, without waiting, for anything but a regular file of at
  // most `maxBytes`, or a link in its last component (records are the game's own files).
  bool OpenRead(const char* fileName, size_t maxBytes = kMaxFileBytes);
  // Reads from a block the caller keeps alive.
  void OpenMemory(const void* data, size_t size);
  // Writes into an owned buffer (see Written) instead of a file.
  void OpenWriteMemory();

  Mode GetMode() const { return mode_; }
  void Serialize(Serializable* record);

  void TransferChar(int32_t* field);
  void TransferShort(int32_t* field);
  void TransferUShort(int32_t* field);
  void TransferInt(int32_t* field);
  void TransferBool(bool* field);
  void TransferString(String* field);
  void TransferCString(String* field);

  // Writing: appends the CRC trailer and commits the file; true when every byte reached it.
  // Reading: checks the trailer, where the record ends (bytes after it are not read); answers
  // and stores the result.
  bool Finish();
  // Folds a block into the CRC without transferring it, then Finish.
  bool TransferBlock(const void* data, long length);

  bool CrcOk() const { return crcOk_; }
  // Bytes not yet read; readers bound the counts they read by it. 0 when not reading.
  size_t Remaining() const;
  // What a memory write (or a write whose file did not open) has produced so far.
  std::span<const uint8_t> Written() const { return buffer_; }

 private:
  void PutByte(uint8_t byte);
  // The next byte, or 0 (outside the CRC) at the end of the data.
  uint8_t GetByte();

  AtomicFile out_;
  std::vector<uint8_t> fileBytes_;
  uint32_t crc_ = 0xFFFFFFFFu;
  std::vector<uint8_t> buffer_;
  Mode mode_ = kNone;
  const uint8_t* block_ = nullptr;
  size_t blockSize_ = 0;
  size_t position_ = 0;
  bool crcOk_ = false;
  // Set by any failed write or overlong string; the record then never verifies.
  bool damaged_ = false;
};
