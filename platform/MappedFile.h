#pragma once
// A whole file mapped read-only into memory; the bytes live as long as the object.
#include <cstddef>
#include <cstdint>
#include <string>

class MappedFile {
 public:
  MappedFile() = default;
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  ~MappedFile();

  // False when the file is missing, not a regular file, or cannot be mapped. An empty file
  // opens with no bytes.
  bool Open(const std::string& path);
  void Close();

  const uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }

 private:
  uint8_t* data_ = nullptr;
  size_t size_ = 0;
  bool mapped_ = false;
};
