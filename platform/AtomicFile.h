#pragma once
// Replaces a file only after its new contents are completely and durably written: the bytes go
// to a temporary file beside the target, which is renamed over the target by Commit. A crash,
// a full disk or an abandoned write leaves the old file as it was. The new file has the
// permissions of the regular file it replaces, without its setuid, setgid and sticky bits; a file
// made afresh, or one put in place of a link, gets 0644 less the umask, as other programs make them.
#include <cstdio>
#include <string>

class AtomicFile {
 public:
  AtomicFile() = default;
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  ~AtomicFile();  // discards an uncommitted write

  // Creates the temporary file. False when it cannot be made.
  bool Open(const std::string& target);
  bool IsOpen() const { return file_ != nullptr; }

  // The temporary file for writing; null when not open.
  FILE* File() const { return file_; }
  bool Write(const void* data, size_t size);

  // Flushes, syncs and closes the temporary file, renames it over the target, then syncs the
  // folder so that the rename outlasts a power loss. True when the new contents are in place;
  // false, with the target untouched and the temporary file removed, when any write or step up
  // to the rename failed. A folder that cannot be synced is noted once on stderr, not failed.
  bool Commit();
  void Discard();

  // Removes from `folder` the temporary files of writes cut short by a kill: regular files of
  // this user named as Open names them (".<name>.XXXXXX"). Only for folders the program owns,
  // while no other copy of it can be writing there. Answers how many were removed.
  static int RemoveAbandoned(const std::string& folder);

 private:
  FILE* file_ = nullptr;
  std::string target_;
  std::string temp_;
};
