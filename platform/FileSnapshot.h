#pragma once
// A whole file copied into memory that is then made read-only: the bytes live as long as the
// object, cannot be changed by mistake, and stay whole whatever happens to the file on disk
// (a file that shrinks under a mapping would end the program with SIGBUS instead).
#include <cstddef>
#include <cstdint>
#include <string>

class FileSnapshot {
 public:
  FileSnapshot() = default;
  FileSnapshot(const FileSnapshot&) = delete;
  FileSnapshot& operator=(const FileSnapshot&) = delete;
  ~FileSnapshot();

  // False when the file is missing, not a regular file, larger than `maxBytes`, or cannot be
  // read. An empty file opens with no bytes. A link is followed.
  bool Open(const std::string& path, size_t maxBytes);
  void Close();

  const uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }

 private:
  uint8_t* data_ = nullptr;
  size_t size_ = 0;
  bool mapped_ = false;
};
