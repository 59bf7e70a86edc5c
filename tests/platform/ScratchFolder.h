#pragma once
// A private folder of its own for one test, removed with everything in it afterwards.
#include <stdlib.h>

#include <filesystem>
#include <string>

class ScratchFolder {
public:
  explicit ScratchFolder(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
    std::string pattern = (base / "qm_shell_XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
  std::string path_;
};
