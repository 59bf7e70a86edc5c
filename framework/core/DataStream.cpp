#include "framework/core/DataStream.h"

#include "framework/core/Crc32.h"
#include "framework/core/Serializable.h"
#include "platform/RegularFile.h"
#include "platform/Random.h"
#include "platform/TickCount.h"

DataStream::DataStream() { SRand(TickCount()); }

DataStream::~DataStream() { Close(); }

void DataStream::Close() {
  out_.Discard();
  buffer_.clear();
  buffer_.shrink_to_fit();
  fileBytes_.clear();
  fileBytes_.shrink_to_fit();
  block_ = nullptr;
  blockSize_ = 0;
  position_ = 0;
  crcOk_ = false;
  damaged_ = false;
}

bool DataStream::OpenWrite(const char* fileName) {
  Close();
  mode_ = kWrite;
  crc_ = 0xFFFFFFFFu;
  if (fileName && out_.Open(fileName)) return true;
  damaged_ = true;  // the bytes still go to the buffer, but the record is never reported saved
  return false;
}

bool DataStream::OpenRead(const char* fileName, size_t maxBytes) {
  Close();
  mode_ = kRead;
  crc_ = 0xFFFFFFFFu;
  if (!fileName || ReadRegularFile(fileName, maxBytes, FileLinks::kRefuse, &fileBytes_) != FileRead::kRead) {
    fileBytes_.clear();
    return false;
  }
  block_ = fileBytes_.data();
  blockSize_ = fileBytes_.size();
  return true;
}

void DataStream::OpenMemory(const void* data, size_t size) {
  Close();
  mode_ = kRead;
  crc_ = 0xFFFFFFFFu;
  block_ = static_cast<const uint8_t*>(data);
  blockSize_ = data ? size : 0;
}

void DataStream::OpenWriteMemory() {
  Close();
  mode_ = kWrite;
  crc_ = 0xFFFFFFFFu;
}

void DataStream::Serialize(Serializable* record) {
  if (record) record->Serialize(this);
}

void DataStream::PutByte(uint8_t byte) {
  Crc32UpdateByte(byte, &crc_);
  if (out_.IsOpen()) {
    if (!out_.Write(&byte, 1)) damaged_ = true;
  } else {
    buffer_.push_back(byte);
  }
}

uint8_t DataStream::GetByte() {
  if (!block_ || position_ >= blockSize_) return 0;
  const uint8_t byte = block_[position_++];
  Crc32UpdateByte(byte, &crc_);
  return byte;
}

size_t DataStream::Remaining() const {
  if (mode_ != kRead) return 0;
  return position_ < blockSize_ ? blockSize_ - position_ : 0;
}

void DataStream::TransferChar(int32_t* field) {
  if (mode_ == kWrite) {
    PutByte(static_cast<uint8_t>(*field));
  } else if (mode_ == kRead) {
    *field = static_cast<int8_t>(GetByte());
  }
}

void DataStream::TransferShort(int32_t* field) {
  if (mode_ == kWrite) {
    PutByte(static_cast<uint8_t>(*field >> 8));
    PutByte(static_cast<uint8_t>(*field));
  } else if (mode_ == kRead) {
    const uint8_t high = GetByte();
    const uint8_t low = GetByte();
    *field = static_cast<int16_t>(static_cast<uint16_t>(high << 8 | low));
  }
}

void DataStream::TransferUShort(int32_t* field) {
  if (mode_ == kWrite) {
    PutByte(static_cast<uint8_t>(*field >> 8));
    PutByte(static_cast<uint8_t>(*field));
  } else if (mode_ == kRead) {
    const uint8_t high = GetByte();
    const uint8_t low = GetByte();
    *field = high << 8 | low;
  }
}

void DataStream::TransferInt(int32_t* field) {
  if (mode_ == kWrite) {
    const auto value = static_cast<uint32_t>(*field);
    for (int shift = 24; shift >= 0; shift -= 8) PutByte(static_cast<uint8_t>(value >> shift));
  } else if (mode_ == kRead) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | GetByte();
    *field = static_cast<int32_t>(value);
  }
}

void DataStream::TransferBool(bool* field) {
  if (mode_ == kWrite) {
    PutByte(*field ? 1 : 0);
  } else if (mode_ == kRead) {
    *field = GetByte() == 1;
  }
}

void DataStream::TransferString(String* field) {
  if (mode_ == kWrite) {
    for (int i = 0; i < field->Length(); ++i) PutByte(static_cast<uint8_t>((*field)[i]));
    PutByte(0);
  } else if (mode_ == kRead) {
    // Collected outside the String so a long text costs one allocation, not one per byte.
    std::vector<char> text;
    while (true) {
      if (Remaining() == 0) break;
      const uint8_t byte = GetByte();
      if (byte == 0) break;
      if (static_cast<int>(text.size()) == kMaxStringLength) {
        damaged_ = true;
        break;
      }
      text.push_back(static_cast<char>(byte));
    }
    field->Assign(text.data(), static_cast<int>(text.size()));
  }
}

void DataStream::TransferCString(String* field) { TransferString(field); }

bool DataStream::Finish() {
  if (mode_ == kWrite) {
    int32_t trailer = static_cast<int32_t>(~crc_);
    TransferInt(&trailer);
    if (damaged_) {
      out_.Discard();
      return false;
    }
    if (!out_.IsOpen()) return true;
    damaged_ = !out_.Commit();
    return !damaged_;
  }
  if (mode_ == kRead) {
    const uint32_t expected = ~crc_;
    const bool complete = Remaining() >= 4;
    int32_t stored = 0;
    TransferInt(&stored);
    // The record ends at its trailer; whatever follows it is not read.
    crcOk_ = complete && !damaged_ && static_cast<uint32_t>(stored) == expected;
    return crcOk_;
  }
  return false;
}

bool DataStream::TransferBlock(const void* data, long length) {
  if (data) Crc32Update(&crc_, data, length);
  return Finish();
}
